#include "settings/setting_store.h"

#include <gtest/gtest.h>

#include "fake_printer_data.h"
#include "settings/setting_table.h"

namespace zelt {
namespace {

// Accepts 1..127 and repairs with 20 on the standard Raster page.
constexpr Setting kPulseWidth = Setting::RPO_DRAWER1PULSEWIDTH;
constexpr const wchar_t* kName = L"RPO_DRAWER1PULSEWIDTH";

// What LoadSetting makes of each stored form of kPulseWidth.
struct StoredCase {
    const char* what;
    std::uint32_t type;
    std::vector<unsigned char> bytes;
    std::uint32_t shown;
    bool rewritten;
};

const StoredCase kStoredCases[] = {
    {"in range", 4, {5, 0, 0, 0}, 5, false},
    {"lowest", 4, {1, 0, 0, 0}, 1, false},
    {"highest", 4, {127, 0, 0, 0}, 127, false},
    {"one below", 4, {0, 0, 0, 0}, 20, true},
    {"one above", 4, {128, 0, 0, 0}, 20, true},
    {"all ones (no selection)", 4, {0xFF, 0xFF, 0xFF, 0xFF}, 20, true},
    {"negative as signed", 4, {0xFE, 0xFF, 0xFF, 0xFF}, 20, true},
    {"no bytes", 4, {}, 20, true},
    {"one byte", 4, {5}, 20, true},
    {"three bytes", 4, {5, 0, 0}, 20, true},
    {"five bytes", 4, {5, 0, 0, 0, 0}, 20, true},
    {"eight bytes", 11, {5, 0, 0, 0, 0, 0, 0, 0}, 20, true},
    {"binary of four bytes", 3, {5, 0, 0, 0}, 20, true},
    {"string type", 1, {'5', 0, 0, 0}, 20, true},
};

TEST(LoadSetting, RepairsEveryBadStoredForm) {
    for (const StoredCase& c : kStoredCases) {
        SCOPED_TRACE(c.what);
        FakePrinterData printer;
        printer.values[kName] = FakePrinterData::Stored{c.type, c.bytes};
        EXPECT_EQ(LoadSetting(printer, kPulseWidth, IDD_RASTER_STANDARD), c.shown);
        EXPECT_EQ(printer.writes, c.rewritten ? 1 : 0);
        const FakePrinterData::Stored& after = printer.values[kName];
        if (c.rewritten) {
            EXPECT_EQ(after.type, kRegDword);
            EXPECT_EQ(after.bytes, (std::vector<unsigned char>{20, 0, 0, 0})) << "rewritten as a 4-byte number";
        } else {
            EXPECT_EQ(after.bytes, c.bytes);
        }
    }
}

TEST(LoadSetting, MissingValueIsWrittenWithItsDefault) {
    FakePrinterData printer;
    EXPECT_EQ(LoadSetting(printer, Setting::COPY_OUTPUT, IDD_COPY_STANDARD), 2u);
    ASSERT_EQ(printer.writes, 1);
    EXPECT_EQ(ReadSetting(printer, Setting::COPY_OUTPUT), 2u);
}

TEST(LoadSetting, ZeroIsAcceptedWhereTheRangeStartsAtZero) {
    FakePrinterData printer;
    printer.PutDword(L"COPY_OUTPUT", 0);
    EXPECT_EQ(LoadSetting(printer, Setting::COPY_OUTPUT, IDD_COPY_STANDARD), 0u);
    EXPECT_EQ(printer.writes, 0);
}

TEST(LoadSetting, RepairsWithTheTableDefaultOfEachPage) {
    // RPO_PRINTQUALITY holding 7: 2 on the standard page, 0 on a variant.
    for (const auto& [page, expected] : {std::pair<std::uint16_t, std::uint32_t>{107, 2}, {115, 0}, {119, 0}}) {
        FakePrinterData printer;
        printer.PutDword(L"RPO_PRINTQUALITY", 7);
        EXPECT_EQ(LoadSetting(printer, Setting::RPO_PRINTQUALITY, page), expected);
        EXPECT_EQ(ReadSetting(printer, Setting::RPO_PRINTQUALITY), expected);
    }
}

TEST(ReadSetting, OnlyAFourByteDwordCounts) {
    const unsigned char bytes[4] = {0x78, 0x56, 0x34, 0x12};
    EXPECT_EQ(InterpretStoredValue(0, 4, 4, bytes), 0x12345678u);
    EXPECT_FALSE(InterpretStoredValue(2, 4, 4, bytes).has_value()) << "missing";
    EXPECT_FALSE(InterpretStoredValue(234, 4, 8, bytes).has_value()) << "longer";
    EXPECT_FALSE(InterpretStoredValue(5, 4, 4, bytes).has_value()) << "access denied";
    EXPECT_FALSE(InterpretStoredValue(0, 4, 2, bytes).has_value()) << "shorter";
    EXPECT_FALSE(InterpretStoredValue(0, 3, 4, bytes).has_value()) << "binary";
}

TEST(WriteSetting, StoresFourLittleEndianBytes) {
    FakePrinterData printer;
    WriteSetting(printer, Setting::ETB_STATUS, 0x01020304);
    const FakePrinterData::Stored& stored = printer.values[L"ETB_STATUS"];
    EXPECT_EQ(stored.type, 4u);
    EXPECT_EQ(stored.bytes, (std::vector<unsigned char>{4, 3, 2, 1}));
}

}  // namespace
}  // namespace zelt
