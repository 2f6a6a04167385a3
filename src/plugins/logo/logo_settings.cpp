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

// LoadSetting with the value's range and default from the settings table.
std::uint32_t Load(PrinterData& printer, const wchar_t* name) {
    const SettingSpec* spec = FindSetting(name);
    const AcceptedRange range = AcceptedRangeOn(*spec, false);
    return LoadSetting(printer, name, range.high, range.low, RepairDefault(*spec, kLogoTemplate));
}

// A list position as stored: no selection is written as 0xFFFFFFFF.
std::uint32_t Stored(int position) { return static_cast<std::uint32_t>(position); }

bool InList(int position, int count) { return position >= 0 && position < count; }

}  // namespace

const std::array<LogoPositionList, kLogoPositionCount> kLogoPositionLists = {{
    {kLogoDocTopList, L"LOGO_DOCTOPLOGO", L"ORIGINAL_DOCTOPLOGO"},
    {kLogoPageTopList, L"LOGO_PAGETOPLOGO", L"ORIGINAL_PAGETOPLOGO"},
    {kLogoPageBottomList, L"LOGO_PAGEBOTTOMLOGO", L"ORIGINAL_PAGEBOTTOMLOGO"},
    {kLogoDocBottomList, L"LOGO_DOCBOTTOMLOGO", L"ORIGINAL_DOCBOTTOMLOGO"},
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
    controls.generateChecked = Load(printer, L"LOGO_LOGOMODEGENERATE") == 1;
    if (dataFilePath && IsZoomDataFile(*dataFilePath)) {
        WriteSetting(printer, L"LOGO_LOGOMODEGENERATE", 0);
        controls.generateChecked = false;
        controls.generateAvailable = false;
    }
    controls.printChecked = Load(printer, L"LOGO_LOGOMODEPRINT") == 1;
    controls.generateTo = static_cast<int>(Load(printer, L"LOGO_LOGOGENERATETO"));
    for (int position = 0; position < kLogoPositionCount; ++position) {
        controls.positionChoices[position] = static_cast<int>(Load(printer, kLogoPositionLists[position].rememberedName));
    }
    controls.fileType = static_cast<int>(Load(printer, L"LOGO_FILETYPE"));
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
        WriteSetting(printer, kLogoPositionLists[position].rememberedName, Stored(choice));
        if (InList(choice, static_cast<int>(kPositionChoiceItems.size()))) {
            WriteSetting(printer, kLogoPositionLists[position].driverName, Stored(choice));
        }
    }
    WriteSetting(printer, L"LOGO_FILETYPE", Stored(controls.fileType));
    if (InList(controls.fileType, static_cast<int>(kFileTypeItems.size()))) {
        WriteSetting(printer, L"ORIGINAL_LOGOFILETYPE", Stored(controls.fileType));
    }
    WriteSetting(printer, L"LOGO_LOGOMODEGENERATE", controls.generateChecked ? 1 : 0);
    if (controls.generateChecked) {
        WriteSetting(printer, L"GLOBAL_OPERATINGMODE", kGenerateModeValue);
    } else if (dataFilePath) {
        const bool zoom = dataFilePath->find(L"_ZOOM") != std::wstring_view::npos;
        WriteSetting(printer, L"GLOBAL_OPERATINGMODE", zoom ? kZoomModeValue : kNormalModeValue);
    }
    WriteSetting(printer, L"LOGO_LOGOMODEPRINT", controls.printChecked ? 1 : 0);
    WriteSetting(printer, L"LOGO_LOGOGENERATETO", Stored(controls.generateTo));
    if (controls.generateChecked && InList(controls.generateTo, kLogoPositionCount)) {
        for (int position = 0; position < kLogoPositionCount; ++position) {
            WriteSetting(printer, kLogoPositionLists[position].driverName,
                         position == controls.generateTo ? kGeneratedPositionValue : 0);
        }
    }
}

}  // namespace zelt
