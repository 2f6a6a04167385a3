#include "pages/common/help_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace zelt {
namespace {

// The first help id listed for a control, as WinHelp's lookup finds it.
std::uint32_t Lookup(HelpTableId table, std::uint32_t control) {
    for (const std::uint32_t* pair = HelpTable(table); pair[0] != 0; pair += 2) {
        if (pair[0] == control) return pair[1];
    }
    return 0;
}

TEST(HelpTables, PairCountsAndClosingPair) {
    const struct {
        HelpTableId table;
        int pairs;
    } cases[] = {{HelpTableId::kRaster, 31}, {HelpTableId::kRasterWithPeripheral, 38}, {HelpTableId::kLogo, 23},
                 {HelpTableId::kCopy, 30},   {HelpTableId::kZoom, 5},                   {HelpTableId::kEtb, 3},
                 {HelpTableId::kSaveAs, 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(HelpTablePairCount(c.table), c.pairs);
        const std::uint32_t* pairs = HelpTable(c.table);
        EXPECT_EQ(pairs[2 * c.pairs], 0u);
        EXPECT_EQ(pairs[2 * c.pairs + 1], 0u);
        for (int i = 0; i < c.pairs; ++i) {
            const std::uint32_t control = pairs[2 * i];
            const std::uint32_t helpId = pairs[2 * i + 1];
            EXPECT_EQ(helpId & 0xFFFFu, control) << "the help id ends in its control id";
            const std::uint32_t topic = (helpId - 0x80000000u) >> 16;
            EXPECT_GE(topic, 105u);
            EXPECT_LE(topic, 119u);
        }
    }
}

TEST(HelpTables, TopicsAsListed) {
    const struct {
        HelpTableId table;
        std::uint32_t control;
        std::uint32_t helpId;
    } cases[] = {
        {HelpTableId::kRaster, 1001, 0x806B03E9},           // first row
        {HelpTableId::kRaster, 1124, 0x80730464},           // presenter row before the ETB defaults row
        {HelpTableId::kRaster, 1125, 0x80730465},
        {HelpTableId::kRaster, 1126, 0x80730466},
        {HelpTableId::kRaster, 1128, 0x806B0468},           // common tail
        {HelpTableId::kRaster, 1123, 0x806D0463},
        {HelpTableId::kRaster, 1127, 0x806B0467},           // last row
        {HelpTableId::kRaster, 1106, 0},                    // buzzer only on the peripheral table
        {HelpTableId::kRasterWithPeripheral, 1106, 0x80770452},
        {HelpTableId::kRasterWithPeripheral, 1117, 0x8077045D},
        {HelpTableId::kRasterWithPeripheral, 1124, 0x80730464},
        {HelpTableId::kLogo, 1032, 0x806C0408},
        {HelpTableId::kLogo, 1125, 0x806C0465},
        {HelpTableId::kLogo, 1128, 0x806B0468},
        {HelpTableId::kCopy, 1098, 0x8074044A},
        {HelpTableId::kCopy, 1047, 0x806D0417},
        {HelpTableId::kCopy, 1126, 0x806E0466},
        {HelpTableId::kZoom, 1059, 0x806E0423},
        {HelpTableId::kZoom, 1128, 0},                      // no common tail on the Zoom page
        {HelpTableId::kEtb, 1095, 0x80720447},
        {HelpTableId::kEtb, 1124, 0x80720464},
        {HelpTableId::kSaveAs, 1090, 0x80710442},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Lookup(c.table, c.control), c.helpId) << "control " << c.control;
    }
}

TEST(HelpTables, HelpFileFollowsTheSystemLanguage) {
    const std::wstring japanese = L"\\3\\qrv_ras_help_J_HJW.hlp";
    const std::wstring other = L"\\3\\qrv_ras_help_HJW.hlp";
    EXPECT_EQ(HelpFileSuffix(0x0411), japanese);
    EXPECT_EQ(HelpFileSuffix(0x0811), japanese) << "any sublanguage of Japanese";
    EXPECT_EQ(HelpFileSuffix(0x00010411), japanese) << "sort order bits are ignored";
    EXPECT_EQ(HelpFileSuffix(0x0409), other);
    EXPECT_EQ(HelpFileSuffix(0x0804), other);
    EXPECT_EQ(HelpFileSuffix(0x0011 | 0x0400), japanese);
    EXPECT_EQ(HelpFileSuffix(0x0012), other) << "Korean";
}

}  // namespace
}  // namespace zelt
