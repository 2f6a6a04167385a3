// The Zoom page as settings: what load shows, what the defaults button
// selects, when the zoom factor can be chosen, and what apply writes.
#pragma once

#include <array>
#include <cstdint>

#include "resources/resource.h"
#include "settings/setting_store.h"

namespace zelt {

enum ZoomControlId : int {
    kZoomFactorLabel = IDC_ZOOM_FACTOR_LABEL,
    kZoomFocusAreaList = IDC_ZOOM_FOCUS_AREA_LIST,
    kZoomFactorList = IDC_ZOOM_FACTOR_LIST,
    kZoomDefaultsButton = IDC_ZOOM_DEFAULTS,
};

// The controls that change a setting, and the defaults button: what a
// read-only page disables.
constexpr std::array<int, 3> kZoomSettingControls = {kZoomFocusAreaList, kZoomFactorList, kZoomDefaultsButton};

// The focus area list: string ids in list order.
constexpr std::array<std::uint16_t, 4> kFocusAreaStrings = {IDS_FOCUS_ALL, IDS_FOCUS_RIGHT, IDS_FOCUS_CENTER,
                                                          IDS_FOCUS_LEFT};
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
