#include "logo_settings.h"

#include "settings/setting_table.h"

namespace zelt {
namespace {

constexpr std::uint16_t kLogoTemplate = IDD_LOGO;
constexpr std::uint32_t kGenerateModeValue = 2;
constexpr std::uint32_t kZoomModeValue = 3;
constexpr std::uint32_t kNormalModeValue = 0;
constexpr std::uint32_t kGeneratedPositionValue = 2;

constexpr std::wstring_view kZoomDataFiles[] = {L"QRVD67_ZOOM.GPD", L"QWNB15_ZOOM.GPD", L"QWNB18_ZOOM.GPD"};

// A list position as stored: no selection is written as 0xFFFFFFFF.
std::uint32_t Stored(int position) { return static_cast<std::uint32_t>(position); }

bool InList(int position, int count) { return position >= 0 && position < count; }

}  // namespace

const std::array<LogoPositionList, kLogoPositionCount> kLogoPositionLists = {{
    {kLogoDocTopList, Setting::LOGO_DOCTOPLOGO, Setting::ORIGINAL_DOCTOPLOGO},
    {kLogoPageTopList, Setting::LOGO_PAGETOPLOGO, Setting::ORIGINAL_PAGETOPLOGO},
    {kLogoPageBottomList, Setting::LOGO_PAGEBOTTOMLOGO, Setting::ORIGINAL_PAGEBOTTOMLOGO},
    {kLogoDocBottomList, Setting::LOGO_DOCBOTTOMLOGO, Setting::ORIGINAL_DOCBOTTOMLOGO},
}};

CopyCoupling CopyCouplingFor(bool generateMode, bool simpleCopyChecked) {
    if (generateMode) return {false, false};
    return {true, !simpleCopyChecked};
}

bool IsZoomDataFile(std::wstring_view dataFilePath) {
    const std::size_t slash = dataFilePath.rfind(L'\\');
    std::wstring_view fileName = dataFilePath;
    // remove_prefix, unlike substr, brings no exception machinery into the module.
    if (slash != std::wstring_view::npos) fileName.remove_prefix(slash + 1);
    for (std::wstring_view zoom : kZoomDataFiles) {
        if (fileName.find(zoom) != std::wstring_view::npos) return true;
    }
    return false;
}

LogoControls LoadLogoPage(PrinterData& printer, std::optional<std::wstring_view> dataFilePath) {
    LogoControls controls;
    controls.generateChecked = LoadSetting(printer, Setting::LOGO_LOGOMODEGENERATE, kLogoTemplate) == 1;
    if (dataFilePath && IsZoomDataFile(*dataFilePath)) {
        WriteSetting(printer, Setting::LOGO_LOGOMODEGENERATE, 0);
        controls.generateChecked = false;
        controls.generateAvailable = false;
    }
    controls.printChecked = LoadSetting(printer, Setting::LOGO_LOGOMODEPRINT, kLogoTemplate) == 1;
    controls.generateTo = static_cast<int>(LoadSetting(printer, Setting::LOGO_LOGOGENERATETO, kLogoTemplate));
    for (int position = 0; position < kLogoPositionCount; ++position) {
        const Setting remembered = kLogoPositionLists[position].remembered;
        controls.positionChoices[position] = static_cast<int>(LoadSetting(printer, remembered, kLogoTemplate));
    }
    controls.fileType = static_cast<int>(LoadSetting(printer, Setting::LOGO_FILETYPE, kLogoTemplate));
    return controls;
}

LogoControls LogoDefaults(bool generateAvailable) {
    LogoControls controls;
    controls.generateAvailable = generateAvailable;
    return controls;
}

void ApplyLogoPage(PrinterData& printer, const LogoControls& controls, std::optional<std::wstring_view> dataFilePath) {
    for (int position = 0; position < kLogoPositionCount; ++position) {
        const int choice = controls.positionChoices[position];
        WriteSetting(printer, kLogoPositionLists[position].remembered, Stored(choice));
        if (InList(choice, static_cast<int>(kPositionChoiceItems.size()))) {
            WriteSetting(printer, kLogoPositionLists[position].driver, Stored(choice));
        }
    }
    WriteSetting(printer, Setting::LOGO_FILETYPE, Stored(controls.fileType));
    if (InList(controls.fileType, static_cast<int>(kFileTypeItems.size()))) {
        WriteSetting(printer, Setting::ORIGINAL_LOGOFILETYPE, Stored(controls.fileType));
    }
    WriteSetting(printer, Setting::LOGO_LOGOMODEGENERATE, controls.generateChecked ? 1 : 0);
    if (controls.generateChecked) {
        WriteSetting(printer, Setting::GLOBAL_OPERATINGMODE, kGenerateModeValue);
    } else if (dataFilePath) {
        const bool zoom = dataFilePath->find(L"_ZOOM") != std::wstring_view::npos;
        WriteSetting(printer, Setting::GLOBAL_OPERATINGMODE, zoom ? kZoomModeValue : kNormalModeValue);
    }
    WriteSetting(printer, Setting::LOGO_LOGOMODEPRINT, controls.printChecked ? 1 : 0);
    WriteSetting(printer, Setting::LOGO_LOGOGENERATETO, Stored(controls.generateTo));
    if (controls.generateChecked && InList(controls.generateTo, kLogoPositionCount)) {
        for (int position = 0; position < kLogoPositionCount; ++position) {
            WriteSetting(printer, kLogoPositionLists[position].driver,
                         position == controls.generateTo ? kGeneratedPositionValue : 0);
        }
    }
}

}  // namespace zelt
