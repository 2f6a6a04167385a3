#include "page_plan.h"

namespace zelt {
namespace {

struct CodeRule {
    std::wstring_view code;
    TemplateId page;
};

// First match wins, searched case-sensitively over the whole path.
constexpr CodeRule kRasterRules[] = {
    {L"A57", kRasterA57}, {L"A59", kRasterA59}, {L"B15", kRasterB15}, {L"B18", kRasterB18}, {L"C252", kRasterC252},
};
// B15 models keep the standard Copy Options page.
constexpr CodeRule kCopyRules[] = {
    {L"A57", kCopyA57}, {L"A59", kCopyA59}, {L"B18", kCopyB18}, {L"C252", kCopyC252},
};

template <std::size_t N>
TemplateId Match(std::wstring_view path, const CodeRule (&rules)[N], TemplateId fallback) {
    for (const CodeRule& rule : rules) {
        if (path.find(rule.code) != std::wstring_view::npos) return rule.page;
    }
    return fallback;
}

bool Contains(std::wstring_view path, std::wstring_view code) { return path.find(code) != std::wstring_view::npos; }

}  // namespace

ModelProfile ProfileForDataFile(std::wstring_view dataFilePath) {
    return ModelProfile{
        Match(dataFilePath, kRasterRules, kRasterStandard),
        Match(dataFilePath, kCopyRules, kCopyStandard),
        Contains(dataFilePath, L"_ZOOM"),
        Contains(dataFilePath, L"C31"),
    };
}

namespace {

void AddPage(PagePlan& plan, PageSlot slot, TemplateId page) {
    plan.slots[plan.count] = slot;
    plan.templates[plan.count] = page;
    ++plan.count;
}

}  // namespace

PagePlan PlanPagesWithoutModel() {
    PagePlan plan{};
    AddPage(plan, kLogoSlot, kLogo);
    AddPage(plan, kEtbSlot, kEtb);
    return plan;
}

PagePlan PlanPages(const ModelProfile& model) {
    PagePlan plan{};
    auto add = [&plan](PageSlot slot, TemplateId page) { AddPage(plan, slot, page); };
    add(kRasterSlot, model.raster);
    add(kLogoSlot, kLogo);
    add(kCopySlot, model.copy);
    if (model.hasZoomPage) add(kZoomSlot, kZoom);
    add(kEtbSlot, kEtb);
    return plan;
}

bool UsesXpStyling(bool versionKnown, std::uint32_t major, std::uint32_t minor) {
    return versionKnown && major == 5 && minor >= 1;
}

std::intptr_t FixedReasonResult(std::uint32_t reason, std::intptr_t lParam) {
    switch (reason) {
        case kReasonGetInfoHeader:
        case kReasonDestroy:
            return 1;
        case kReasonGetIcon:
            return 0;  // no icon
        default:
            return lParam;
    }
}

}  // namespace zelt
