#include "frame/page_plan.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelt {
namespace {

const wchar_t kDriverDir[] = L"C:\\windows\\system32\\spool\\drivers\\w32x86\\3\\";

struct ModelCase {
    std::wstring_view dataFile;
    std::vector<int> templates;
    bool c31;
};

const ModelCase kModels[] = {
    {L"QWNB18_ZOOM.GPD", {115, 108, 116, 110, 114}, false},
    {L"QWNB15_ZOOM.GPD", {117, 108, 109, 110, 114}, false},
    {L"QRVD67_ZOOM.GPD", {107, 108, 109, 110, 114}, false},
    {L"QRVX10.GPD", {107, 108, 109, 114}, false},
    {L"QRVC31.GPD", {107, 108, 109, 114}, true},
    {L"QRVA57.GPD", {106, 108, 105, 114}, false},
    {L"QRVA59.GPD", {112, 108, 111, 114}, false},
    {L"QRVB15.GPD", {117, 108, 109, 114}, false},
    {L"QRVB15_FIXZOOM.GPD", {117, 108, 109, 114}, false},
    {L"QRVB18_FIXZOOM.GPD", {115, 108, 116, 114}, false},
    {L"QRVB18.GPD", {115, 108, 116, 114}, false},
    {L"QRVC252.GPD", {119, 108, 118, 114}, false},
    {L"QRV_A57_C252.GPD", {106, 108, 105, 114}, false},
    {L"QRV_C252_A57.GPD", {106, 108, 105, 114}, false},
    {L"QRV_B15_C252.GPD", {117, 108, 118, 114}, false},
    {L"QRV_B15_B18.GPD", {117, 108, 116, 114}, false},
    {L"QRVa57_zoom.gpd", {107, 108, 109, 114}, false},  // codes are case-sensitive
    {L"C252_ZOOM\\C31.GPD", {119, 108, 118, 110, 114}, true},
};

std::vector<int> Templates(const PagePlan& plan) {
    return std::vector<int>(plan.templates.begin(), plan.templates.begin() + plan.count);
}

TEST(PagePlan, EachModelGetsItsPagesInOrder) {
    for (const ModelCase& c : kModels) {
        const std::wstring path = std::wstring(kDriverDir) + std::wstring(c.dataFile);
        SCOPED_TRACE(std::string(path.begin(), path.end()));
        const ModelProfile model = ProfileForDataFile(path);
        EXPECT_EQ(Templates(PlanPages(model)), c.templates);
        EXPECT_EQ(model.hasC31, c.c31);
    }
}

TEST(PagePlan, ACodeInAFolderNameSelectsTheModel) {
    const ModelProfile model = ProfileForDataFile(L"C:\\drivers\\B18\\3\\PLAIN.GPD");
    EXPECT_EQ(Templates(PlanPages(model)), (std::vector<int>{115, 108, 116, 114}));
    EXPECT_TRUE(ProfileForDataFile(L"C:\\x_ZOOM\\PLAIN.GPD").hasZoomPage);
}

TEST(PagePlan, SlotsFollowTheTemplates) {
    const PagePlan withZoom = PlanPages(ProfileForDataFile(L"X_ZOOM.GPD"));
    const PageSlot expected[] = {kRasterSlot, kLogoSlot, kCopySlot, kZoomSlot, kEtbSlot};
    for (int i = 0; i < withZoom.count; ++i) EXPECT_EQ(withZoom.slots[i], expected[i]);

    const PagePlan withoutZoom = PlanPages(ProfileForDataFile(L"X.GPD"));
    ASSERT_EQ(withoutZoom.count, 4);
    EXPECT_EQ(withoutZoom.slots[3], kEtbSlot);
}

TEST(PagePlan, WithoutDriverInformationOnlyModelFreePages) {
    const PagePlan plan = PlanPagesWithoutModel();
    EXPECT_EQ(Templates(plan), (std::vector<int>{108, 114}));
    EXPECT_EQ(plan.slots[0], kLogoSlot);
    EXPECT_EQ(plan.slots[1], kEtbSlot);
}

TEST(XpStyling, OnlyVersionFiveOneAndTwo) {
    struct Case {
        bool known;
        std::uint32_t major, minor;
        bool expected;
    };
    const Case cases[] = {{true, 5, 0, false}, {true, 5, 1, true}, {true, 5, 2, true}, {true, 6, 0, false},
                          {true, 6, 1, false}, {true, 10, 0, false}, {true, 4, 1, false}, {false, 5, 1, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(UsesXpStyling(c.known, c.major, c.minor), c.expected) << c.major << "." << c.minor;
    }
}

TEST(FixedReasonResult, EveryReasonButInitAndSetResult) {
    EXPECT_EQ(FixedReasonResult(kReasonGetInfoHeader, 77), 1);
    EXPECT_EQ(FixedReasonResult(kReasonDestroy, 77), 1);
    EXPECT_EQ(FixedReasonResult(kReasonGetIcon, 77), 0);
    EXPECT_EQ(FixedReasonResult(5, 77), 77);
    EXPECT_EQ(FixedReasonResult(0xFFFFFFFF, -3), -3);
}

}  // namespace
}  // namespace zelt
