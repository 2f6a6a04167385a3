#include "zoom_model.h"

#include "frame/page_plan.h"
#include "settings/setting_table.h"

namespace zelt {
namespace {

// The renderer numbers the focus areas right 0, center 1, left 2, and
// centers "All" (which it receives with no zoom).
constexpr std::array<std::uint32_t, kFocusAreaStrings.size()> kRendererFocusArea = {1, 0, 1, 2};
constexpr std::uint32_t kZoomOperatingMode = 3;
constexpr std::uint32_t kNoZoom = 0;

int Default(Setting setting) { return static_cast<int>(RepairDefault(setting, kZoom)); }

bool WithinList(int position, std::size_t items) {
    return position >= 0 && static_cast<std::size_t>(position) < items;
}

}  // namespace

ZoomControls LoadZoomPage(PrinterData& printer) {
    ZoomControls shown;
    shown.focusArea = static_cast<int>(LoadSetting(printer, Setting::ZOOM_FOCUSAREA, kZoom));
    shown.zoomFactor = static_cast<int>(LoadSetting(printer, Setting::ZOOM_ZOOMFACTOR, kZoom));
    return shown;
}

ZoomControls ZoomDefaults() { return {Default(Setting::ZOOM_FOCUSAREA), Default(Setting::ZOOM_ZOOMFACTOR)}; }

bool ZoomFactorEnabled(int focusArea) { return focusArea != kFocusAreaAll; }

void ApplyZoomPage(PrinterData& printer, const ZoomControls& controls) {
    WriteSetting(printer, Setting::GLOBAL_OPERATINGMODE, kZoomOperatingMode);
    // A list without a selection stores all bits set, which the next load
    // repairs; the renderer's value is written only for a real position.
    WriteSetting(printer, Setting::ZOOM_ZOOMFACTOR, static_cast<std::uint32_t>(controls.zoomFactor));
    if (WithinList(controls.zoomFactor, kZoomFactorTexts.size())) {
        WriteSetting(printer, Setting::GLOBAL_ZOOM, static_cast<std::uint32_t>(controls.zoomFactor));
    }
    WriteSetting(printer, Setting::ZOOM_FOCUSAREA, static_cast<std::uint32_t>(controls.focusArea));
    if (!WithinList(controls.focusArea, kFocusAreaStrings.size())) return;
    WriteSetting(printer, Setting::GLOBAL_FOCUSAREA, kRendererFocusArea[static_cast<std::size_t>(controls.focusArea)]);
    if (controls.focusArea == kFocusAreaAll) WriteSetting(printer, Setting::GLOBAL_ZOOM, kNoZoom);
}

}  // namespace zelt
