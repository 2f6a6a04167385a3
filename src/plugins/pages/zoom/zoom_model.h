// The Zoom page as settings: what load shows, what the defaults button
// selects, when the zoom factor can be chosen, and what apply writes.
#pragma once

#include <array>
#include <cstdint>

#include "settings/setting_store.h"

namespace zelt {

enum ZoomControlId : int {
    kZoomFactorLabel = 1058,
    kZoomFocusAreaList = 1059,
    kZoomFactorList = 1060,
    kZoomDefaultsButton = 1126,
};

// The controls that change a setting, and the defaults button: what a
// read-only page disables.
constexpr std::array<int, 3> kZoomSettingControls = {kZoomFocusAreaList, kZoomFactorList, kZoomDefaultsButton};

// The focus area list: string ids in list order ("All", "Right", "Center", "Left").
constexpr std::array<std::uint16_t, 4> kFocusAreaStrings = {26, 1, 2, 3};
constexpr int kFocusAreaAll = 0;

// The zoom factor list's own texts; position n is an enlargement of 5n percent.
constexpr std::array<const wchar_t*, 20> kZoomFactorTexts = {
    L"+00%", L"+05%", L"+10%", L"+15%", L"+20%", L"+25%", L"+30%", L"+35%", L"+40%", L"+45%",
    L"+50%", L"+55%", L"+60%", L"+65%", L"+70%", L"+75%", L"+80%", L"+85%", L"+90%", L"+95%"};

// List positions; -1 is no selection.
struct ZoomControls {
    int focusArea = -1;
    int zoomFactor = -1;
};

// Loads both values with repair, focus area first.
ZoomControls LoadZoomPage(PrinterData& printer);
ZoomControls ZoomDefaults();

// The zoom factor and its label are usable unless the focus area is "All".
bool ZoomFactorEnabled(int focusArea);

// Writes GLOBAL_OPERATINGMODE, the zoom factor's two values, the focus
// area's remembered value, then the renderer's focus area (and zoom 0 for "All").
void ApplyZoomPage(PrinterData& printer, const ZoomControls& controls);

}  // namespace zelt
