// The setting loader and every page's load against a printer whose stored
// values have arbitrary types, lengths and bytes. Loading must show only what
// it accepts or repairs, write nothing but 4-byte REG_DWORD values of the
// table, and leave a store that a second load accepts without a write.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "fake_printer_data.h"
#include "journal/copy_model.h"
#include "logo/logo_settings.h"
#include "pages/etb/etb_model.h"
#include "pages/raster/raster_model.h"
#include "pages/zoom/zoom_model.h"
#include "setting_named.h"
#include "settings/setting_table.h"

namespace {

using namespace zelt;

constexpr TemplateId kRasterTemplates[] = {kRasterA57, kRasterStandard, kRasterA59, kRasterB18, kRasterB15, kRasterC252};
constexpr TemplateId kCopyTemplates[] = {kCopyA57, kCopyStandard, kCopyA59, kCopyB18, kCopyC252};

void Require(bool condition) {
    if (!condition) std::abort();
}

// Every value a page may write: a 4-byte REG_DWORD named in the table.
void RequireWellFormedWrites(const RecordingPrinter& printer) {
    Require(printer.malformedWrites == 0);
    for (const auto& write : printer.writes) Require(SettingNamed(write.first) != nullptr);
}

void StoreArbitraryValues(FuzzedDataProvider& input, FakePrinterData& store) {
    for (const SettingSpec& spec : kSettings) {
        switch (input.ConsumeIntegralInRange(0, 3)) {
            case 0:
                break;  // missing
            case 1:
                store.PutDword(spec.name, input.ConsumeIntegralInRange<std::uint32_t>(0, 8));
                break;
            case 2:
                store.PutDword(spec.name, input.ConsumeIntegral<std::uint32_t>());
                break;
            default: {
                const auto type = input.ConsumeIntegral<std::uint32_t>();
                const std::string bytes = input.ConsumeRandomLengthString(16);
                store.values[spec.name] = FakePrinterData::Stored{
                    type, std::vector<unsigned char>(bytes.begin(), bytes.end())};
            }
        }
    }
}

// Each byte pair a UTF-16 unit, so that any name the spooler could report arrives.
std::wstring ConsumeWideText(FuzzedDataProvider& input) {
    const std::string bytes = input.ConsumeRandomLengthString(96);
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return text;
}

void CheckInterpretation(FuzzedDataProvider& input) {
    const auto status = input.ConsumeIntegralInRange<std::uint32_t>(0, 2);
    const auto type = input.ConsumeIntegralInRange<std::uint32_t>(0, 5);
    const auto needed = input.ConsumeIntegralInRange<std::uint32_t>(0, 6);
    unsigned char buffer[4] = {};
    input.ConsumeData(buffer, sizeof buffer);
    const std::optional<std::uint32_t> value = InterpretStoredValue(status, type, needed, buffer);
    Require(value.has_value() == (status == 0 && type == kRegDword && needed == 4));
    if (value) Require(std::memcmp(&*value, buffer, 4) == 0);
}

// LoadSetting answers the stored number when in range, else the repair
// default, and in both cases the store then holds exactly that number.
void CheckLoadSetting(RecordingPrinter& printer, std::uint16_t templateId) {
    for (const SettingSpec& spec : kSettings) {
        if (spec.kind != ValueKind::kRemembered) continue;
        const std::optional<std::uint32_t> before = ReadSetting(printer, spec.setting);
        const std::uint32_t shown = LoadSetting(printer, spec.setting, templateId);
        if (before && *before >= spec.low && *before <= spec.high) {
            Require(shown == *before);
        } else {
            Require(shown == RepairDefault(spec.setting, templateId));
        }
        Require(ReadSetting(printer, spec.setting) == shown);
    }
}

// Runs one page's load twice: the second, on the repaired store, must write nothing.
template <typename Load>
void CheckLoadConverges(const FakePrinterData& stored, Load load) {
    RecordingPrinter printer;
    printer.store = stored;
    load(printer);
    RequireWellFormedWrites(printer);
    const std::size_t firstWrites = printer.writes.size();
    load(printer);
    Require(printer.writes.size() == firstWrites);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    CheckInterpretation(input);
    FakePrinterData stored;
    StoreArbitraryValues(input, stored);
    const std::wstring dataFile = ConsumeWideText(input);
    const std::optional<std::wstring_view> reported =
        input.ConsumeBool() ? std::optional<std::wstring_view>(dataFile) : std::nullopt;

    {
        RecordingPrinter printer;
        printer.store = stored;
        // The page whose repair defaults apply: every Raster and Copy variant has some of its own.
        const bool raster = input.ConsumeBool();
        CheckLoadSetting(printer, raster ? input.PickValueInArray(kRasterTemplates)
                                         : input.PickValueInArray(kCopyTemplates));
        RequireWellFormedWrites(printer);
    }
    for (TemplateId id : kRasterTemplates) {
        const RasterVariant& variant = RasterVariantFor(id);
        CheckLoadConverges(stored, [&](PrinterData& printer) {
            const RasterLoad load = LoadRasterPage(printer, variant, reported);
            Require(load.controls.cutPosition >= -1 && load.controls.cutPosition < variant.rowCount);
            Require(load.paperTypeCount == 3 || load.paperTypeCount == 4);
        });
    }
    for (TemplateId id : kCopyTemplates) {
        const CopyVariant& variant = CopyVariantFor(id);
        CheckLoadConverges(stored, [&](PrinterData& printer) {
            const CopyControls controls = LoadCopyPage(printer, variant);
            Require(controls.cutPosition >= -1 && controls.cutPosition < CopyCutRows(variant).rowCount);
        });
    }
    CheckLoadConverges(stored, [&](PrinterData& printer) {
        const ZoomControls controls = LoadZoomPage(printer);
        Require(controls.focusArea >= -1 && controls.focusArea < static_cast<int>(kFocusAreaStrings.size()));
        Require(controls.zoomFactor >= -1 && controls.zoomFactor < static_cast<int>(kZoomFactorTexts.size()));
    });
    CheckLoadConverges(stored, [&](PrinterData& printer) { Require(LoadEtbPage(printer) <= 1); });
    CheckLoadConverges(stored, [&](PrinterData& printer) {
        const LogoControls controls = LoadLogoPage(printer, reported);
        Require(controls.generateTo >= -1 && controls.generateTo < kLogoPositionCount);
    });
    return 0;
}
