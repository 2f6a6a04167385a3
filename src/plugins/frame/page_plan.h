// Which pages the printer model gets, and how DevicePropertySheets answers
// each reason of the common property sheet protocol. The model is read from
// the driver's data-file path; nothing here touches Windows.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "resources/resource.h"

namespace zelt {

// Dialog template ids; the pages of one slot share a caption.
enum TemplateId : std::uint16_t {
    kCopyA57 = IDD_COPY_A57,
    kRasterA57 = IDD_RASTER_A57,
    kRasterStandard = IDD_RASTER_STANDARD,
    kLogo = IDD_LOGO,
    kCopyStandard = IDD_COPY_STANDARD,
    kZoom = IDD_ZOOM,
    kCopyA59 = IDD_COPY_A59,
    kRasterA59 = IDD_RASTER_A59,
    kSaveAs = IDD_SAVE_AS,
    kEtb = IDD_ETB,
    kRasterB18 = IDD_RASTER_B18,
    kCopyB18 = IDD_COPY_B18,
    kRasterB15 = IDD_RASTER_B15,
    kCopyC252 = IDD_COPY_C252,
    kRasterC252 = IDD_RASTER_C252,
};

// Page slots in the fixed order the pages are added.
enum PageSlot : int { kRasterSlot = 0, kLogoSlot, kCopySlot, kZoomSlot, kEtbSlot, kPageSlotCount };

// What the data-file name says about the model.
struct ModelProfile {
    TemplateId raster;
    TemplateId copy;
    bool hasZoomPage;
    bool hasC31;  // a fourth paper type on the standard Raster page
};

ModelProfile ProfileForDataFile(std::wstring_view dataFilePath);

// The pages to add, in order; `count` is 4 without a Zoom page, else 5.
struct PagePlan {
    std::array<TemplateId, kPageSlotCount> templates;
    std::array<PageSlot, kPageSlotCount> slots;
    int count;
};

PagePlan PlanPages(const ModelProfile& model);

// Pages offered when the driver information cannot be had: only the Logo and
// ETB pages, which are the same for every model. A guessed Raster or Copy
// variant could repair or apply values the real model does not accept.
PagePlan PlanPagesWithoutModel();

// XP styling: only version 5.1 and 5.2 systems draw the pages through the
// manifest's version 6 common controls.
bool UsesXpStyling(bool versionKnown, std::uint32_t major, std::uint32_t minor);

// Reasons of the common property sheet protocol.
enum SheetReason : std::uint32_t {
    kReasonInit = 0,
    kReasonGetInfoHeader = 1,
    kReasonDestroy = 2,
    kReasonSetResult = 3,
    kReasonGetIcon = 4,
};

constexpr std::uint32_t kSheetInfoVersion = 0x100;

// The Result of every reason but INIT (whose result is the host callback's
// answer for the last page) and SET_RESULT (the result the host hands in).
std::intptr_t FixedReasonResult(std::uint32_t reason, std::intptr_t lParam);

}  // namespace zelt
