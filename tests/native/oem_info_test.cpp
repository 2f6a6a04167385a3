#include "frame/oem_info.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zelt {
namespace {

constexpr std::uint32_t kUntouched = 0xDEADBEEF;

struct GetInfoCase {
    const char* what;
    std::uint32_t mode;
    bool withBuffer;
    std::uint32_t size;
    bool withNeeded;
    RuleResult expected;
    std::uint32_t neededAfter;
    std::uint32_t bufferAfter;
};

const GetInfoCase kGetInfoCases[] = {
    {"signature", 1, true, 4, true, {kSOk, 0}, 4, 0x5A454C54},
    {"version", 3, true, 4, true, {kSOk, 0}, 4, 1},
    {"signature into a larger buffer", 1, true, 64, true, {kSOk, 0}, 4, 0x5A454C54},
    {"interface version is refused", 2, true, 4, true, {kEFail, 87}, kUntouched, kUntouched},
    {"mode 0", 0, true, 4, true, {kEFail, 87}, kUntouched, kUntouched},
    {"mode 5", 5, true, 4, true, {kEFail, 87}, kUntouched, kUntouched},
    {"no bytes-needed pointer", 1, true, 4, false, {kEFail, 87}, kUntouched, kUntouched},
    {"3-byte buffer", 1, true, 3, true, {kEFail, 122}, 4, kUntouched},
    {"null buffer", 3, false, 4, true, {kEFail, 122}, 4, kUntouched},
    {"publisher info", 4, true, 4, true, {kEFail, 50}, 0, kUntouched},
    {"publisher info, short buffer", 4, true, 2, true, {kEFail, 122}, 4, kUntouched},
};

TEST(GetInfoRule, AnswersEveryModeAndBuffer) {
    for (const GetInfoCase& c : kGetInfoCases) {
        SCOPED_TRACE(c.what);
        std::uint32_t buffer = kUntouched;
        std::uint32_t needed = kUntouched;
        const RuleResult r =
            GetInfoRule(c.mode, c.withBuffer ? &buffer : nullptr, c.size, c.withNeeded ? &needed : nullptr);
        EXPECT_EQ(r.hr, c.expected.hr);
        EXPECT_EQ(r.lastError, c.expected.lastError);
        EXPECT_EQ(needed, c.neededAfter);
        EXPECT_EQ(buffer, c.bufferAfter);
    }
}

TEST(GetInfoRule, SignatureIsStoredLittleEndianAsZELT) {
    unsigned char bytes[4] = {};
    std::uint32_t needed = 0;
    ASSERT_EQ(GetInfoRule(1, bytes, 4, &needed).hr, kSOk);
    const unsigned char expected[4] = {0x54, 0x4C, 0x45, 0x5A};
    EXPECT_EQ(std::memcmp(bytes, expected, 4), 0);
}

TEST(QueryColorProfileRule, NamesTheDeviceProfile) {
    unsigned char buffer[40];
    std::memset(buffer, 0xAA, sizeof buffer);
    std::uint32_t size = 32;
    std::uint32_t flags = 0;
    const RuleResult r = QueryColorProfileRule(0, buffer, &size, &flags);
    EXPECT_EQ(r.hr, kSOk);
    EXPECT_EQ(size, 32u);
    EXPECT_EQ(flags, 2u);
    const char16_t expected[] = u"OEMPROFILE.icm";
    static_assert(sizeof expected == 30, "name with terminator is 30 bytes");
    EXPECT_EQ(std::memcmp(buffer, expected, 30), 0);
    EXPECT_EQ(buffer[30], 0xAA) << "nothing written past the name";
}

TEST(QueryColorProfileRule, ShortOrMissingBufferReports32) {
    struct Case {
        bool withBuffer;
        std::uint32_t size;
    };
    for (const Case c : {Case{true, 31}, Case{true, 0}, Case{false, 32}, Case{false, 100}}) {
        unsigned char buffer[32] = {};
        std::uint32_t size = c.size;
        std::uint32_t flags = 7;
        const RuleResult r = QueryColorProfileRule(0, c.withBuffer ? buffer : nullptr, &size, &flags);
        EXPECT_EQ(r.hr, kEFail);
        EXPECT_EQ(r.lastError, 122u);
        EXPECT_EQ(size, 32u);
        EXPECT_EQ(flags, 7u);
        EXPECT_EQ(buffer[0], 0);
    }
}

TEST(QueryColorProfileRule, OtherQueryModesTouchNothing) {
    for (std::uint32_t mode : {1u, 2u, 0xFFFFFFFFu}) {
        unsigned char buffer[32] = {};
        std::uint32_t size = 5;
        std::uint32_t flags = 9;
        const RuleResult r = QueryColorProfileRule(mode, buffer, &size, &flags);
        EXPECT_EQ(r.hr, kEFail);
        EXPECT_EQ(r.lastError, 0u) << "no last error for another query mode";
        EXPECT_EQ(size, 5u);
        EXPECT_EQ(flags, 9u);
    }
}

TEST(QueryColorProfileRule, NullSizeOrFlagsIsABadArgument) {
    unsigned char buffer[32] = {};
    std::uint32_t size = 32;
    std::uint32_t flags = 0;
    EXPECT_EQ(QueryColorProfileRule(0, buffer, nullptr, &flags).lastError, 87u);
    EXPECT_EQ(QueryColorProfileRule(0, buffer, &size, nullptr).lastError, 87u);
    EXPECT_EQ(buffer[0], 0);
}

}  // namespace
}  // namespace zelt
