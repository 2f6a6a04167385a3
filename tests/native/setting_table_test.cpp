#include "settings/setting_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zelt {
namespace {

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

TEST(SettingTable, SixtyDistinctUpperCaseNamesWithKnownPrefixes) {
    std::set<std::wstring> names;
    int remembered = 0;
    for (const SettingSpec& spec : kSettings) {
        const std::wstring name = spec.name;
        SCOPED_TRACE(Narrow(name));
        EXPECT_TRUE(names.insert(name).second) << "duplicate";
        for (wchar_t ch : name) EXPECT_TRUE((ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9') || ch == L'_');
        const bool rememberedPrefix = name.rfind(L"RPO_", 0) == 0 || name.rfind(L"PO_", 0) == 0 ||
                                      name.rfind(L"COPY_", 0) == 0 || name.rfind(L"LOGO_", 0) == 0 ||
                                      name.rfind(L"ZOOM_", 0) == 0 || name == L"ETB_STATUS";
        const bool driverPrefix = name.rfind(L"ORIGINAL_", 0) == 0 || name.rfind(L"ADDITIONAL_", 0) == 0 ||
                                  name.rfind(L"GLOBAL_", 0) == 0;
        EXPECT_EQ(spec.kind == ValueKind::kRemembered, rememberedPrefix);
        EXPECT_EQ(spec.kind == ValueKind::kDriver, driverPrefix);
        EXPECT_NE(spec.templates, 0u) << "every value belongs to a page";
        if (spec.kind == ValueKind::kRemembered) {
            ++remembered;
            EXPECT_LE(spec.low, 1u);
            EXPECT_LE(spec.low, spec.high);
            for (const TemplateDefault& d : spec.templateDefaults) {
                if (d.templateId == 0) break;
                EXPECT_NE(spec.templates & TemplateBit(d.templateId), 0u) << "default for a page that lacks it";
            }
        }
    }
    EXPECT_EQ(names.size(), 60u);
    EXPECT_EQ(remembered, 30);
}

// The repair defaults that differ by page variant, checked for every
// template that shows the value.
struct DefaultCase {
    Setting setting;
    std::uint16_t templateId;
    std::uint32_t repairDefault;
};

const DefaultCase kVariantDefaults[] = {
    {Setting::RPO_PRINTQUALITY, 107, 2}, {Setting::RPO_PRINTQUALITY, 106, 0},
    {Setting::RPO_PRINTQUALITY, 112, 0}, {Setting::RPO_PRINTQUALITY, 115, 0},
    {Setting::RPO_PRINTQUALITY, 117, 0}, {Setting::RPO_PRINTQUALITY, 119, 0},
    {Setting::RPO_PAGEDOCCUTACTION, 107, 11}, {Setting::RPO_PAGEDOCCUTACTION, 106, 1},
    {Setting::RPO_PAGEDOCCUTACTION, 112, 2}, {Setting::RPO_PAGEDOCCUTACTION, 115, 10},
    {Setting::RPO_PAGEDOCCUTACTION, 117, 2}, {Setting::RPO_PAGEDOCCUTACTION, 119, 2},
    {Setting::COPY_PAGEDOCCUTACTION, 109, 2}, {Setting::COPY_PAGEDOCCUTACTION, 105, 1},
    {Setting::COPY_PAGEDOCCUTACTION, 111, 2}, {Setting::COPY_PAGEDOCCUTACTION, 116, 10},
    {Setting::COPY_PAGEDOCCUTACTION, 118, 2}, {Setting::RPO_DRAWER1PULSEWIDTH, 107, 20},
    {Setting::RPO_PERIPHERAL1PULSEWIDTH, 119, 10}, {Setting::PO_PRESENTERRETRACTTIME, 115, 30},
    {Setting::COPY_PRESENTERRETRACTTIME, 116, 30}, {Setting::COPY_SIMPLECOPY, 109, 1},
    {Setting::COPY_ADDSCV, 118, 1}, {Setting::COPY_OUTPUT, 105, 2},
    {Setting::LOGO_LOGOMODEPRINT, 108, 1}, {Setting::LOGO_LOGOMODEGENERATE, 108, 0},
};

TEST(SettingTable, RepairDefaultsByVariant) {
    for (const DefaultCase& c : kVariantDefaults) {
        SCOPED_TRACE(Narrow(RowOf(c.setting).name) + " on " + std::to_string(c.templateId));
        EXPECT_NE(RowOf(c.setting).templates & TemplateBit(c.templateId), 0u);
        EXPECT_EQ(RepairDefault(c.setting, c.templateId), c.repairDefault);
    }
}

TEST(SettingTable, VariantOnlyValuesBelongToTheirPages) {
    const struct {
        Setting setting;
        std::uint32_t templates;
    } cases[] = {
        {Setting::RPO_DRAWER1, TemplateBit(106) | TemplateBit(107) | TemplateBit(112)},
        {Setting::ORIGINAL_DOCDRAWER1PULSEWIDTH, TemplateBit(106) | TemplateBit(107) | TemplateBit(112)},
        {Setting::RPO_PERIPHERAL1, TemplateBit(119)},
        {Setting::ORIGINAL_PERIPHERAL1PULSEWIDTH, TemplateBit(119)},
        {Setting::PO_PRESENTERRETRACT, TemplateBit(115)},
        {Setting::ORIGINAL_PRESENTERRETRACTTIME, TemplateBit(115)},
        {Setting::COPY_PRESENTERRETRACTTIME, TemplateBit(116)},
        {Setting::ADDITIONAL_PRESENTERRETRACT, TemplateBit(116)},
        {Setting::GLOBAL_OPERATINGMODE, TemplateBit(108) | TemplateBit(110)},
        {Setting::RPO_WALLMOUNT, kRasterPages},
        {Setting::ADDITIONAL_OUTPUT, kCopyPages},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(RowOf(c.setting).name));
        EXPECT_EQ(RowOf(c.setting).templates, c.templates);
    }
}

TEST(SettingTable, PaperTypeRangeDependsOnFourthPaperType) {
    EXPECT_EQ(AcceptedRangeOn(Setting::RPO_PAPERTYPE, PaperTypes::kThree).high, 2u);
    EXPECT_EQ(AcceptedRangeOn(Setting::RPO_PAPERTYPE, PaperTypes::kFour).high, 3u);
    EXPECT_EQ(AcceptedRangeOn(Setting::RPO_PRINTQUALITY, PaperTypes::kFour).high, 2u) << "only the paper type grows";

    EXPECT_TRUE(HasFourthPaperType(107, true));
    EXPECT_FALSE(HasFourthPaperType(107, false));
    EXPECT_TRUE(HasFourthPaperType(119, false));
    for (std::uint16_t variant : {106, 112, 115, 117}) EXPECT_FALSE(HasFourthPaperType(variant, true)) << variant;
}

TEST(CutActionTable, RowsCodesAndLabels) {
    const std::uint16_t stringIds[] = {41, 28, 30, 29, 42, 35, 33, 43, 32, 34, 31, 44};
    const char* pageNames[] = {"Form Feed", "Tear Bar", "Full Cut No Feed", "Full Cut", "Partial Cut No Feed",
                               "Partial Cut"};
    for (int row = 0; row < kCutActionCount; ++row) {
        const CutAction& action = kCutActions[row];
        SCOPED_TRACE(row);
        EXPECT_EQ(action.stringId, stringIds[row]);
        const std::string label = Narrow(action.label);
        const std::string page = label.substr(0, label.find(" / "));
        const std::string document = label.substr(label.find(" / ") + 3);
        ASSERT_LT(action.pageCode, 6u);
        EXPECT_EQ(page, action.pageCode == 3 && action.topSearch ? "Full Cut Top Search" : pageNames[action.pageCode])
            << "the page code names the label's first half";
        if (document == "Full Cut Top Search") {
            EXPECT_EQ(action.documentCode, 3u);
            EXPECT_EQ(action.topSearch, 1u);
        } else {
            EXPECT_EQ(document, pageNames[action.documentCode]);
            EXPECT_EQ(action.topSearch, 0u);
        }
    }
}

}  // namespace
}  // namespace zelt
