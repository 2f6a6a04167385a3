#include "frame/devmode_header.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace zelt {
namespace {

using Header = std::array<std::uint32_t, 3>;
constexpr std::uint32_t kZelt = 0x5A454C54;
constexpr std::uint32_t kForeign = 0x12345678;

// A 12-byte block followed by guard bytes that no mode may touch.
struct Block {
    Header header;
    std::uint32_t guard = 0xCAFEF00D;
};

struct DevModeCase {
    const char* what;
    std::uint32_t mode;
    Header in;
    Header out;
    Header expectedOut;
};

const DevModeCase kCases[] = {
    {"default over garbage", 2, {1, 2, 3}, {0xFFFFFFFF, 0, 99}, {12, kZelt, 1}},
    {"convert, same signature, stale version", 3, {12, kZelt, 1}, {12, kZelt, 7}, {12, kZelt, 1}},
    {"convert, foreign input", 3, {12, kForeign, 9}, {12, kZelt, 7}, {12, kZelt, 1}},
    {"convert, both foreign", 3, {12, kForeign, 9}, {12, kForeign, 5}, {12, kForeign, 1}},
    {"merge, both foreign", 4, {12, kForeign, 9}, {12, kForeign, 5}, {12, kZelt, 1}},
    {"merge, foreign input", 4, {12, kForeign, 9}, {3, 0, 0}, {12, kZelt, 1}},
    {"convert, input size 0 copies nothing", 3, {0, 77, 9}, {12, 77, 5}, {12, 77, 1}},
    {"convert, both blocks claim to be huge", 3, {0xFFFFFFFF, kZelt, 1}, {0xFFFFFFFF, kZelt, 3}, {12, kZelt, 1}},
};

TEST(DevModeRule, ModesTwoToFourWriteTheHeader) {
    for (const DevModeCase& c : kCases) {
        SCOPED_TRACE(c.what);
        Block in{c.in};
        Block out{c.out};
        std::uint32_t bufSize = 555;
        const DevModeBlocks blocks{&in.header, &out.header, &bufSize};
        const RuleResult r = DevModeRule(c.mode, &blocks);
        EXPECT_EQ(r.hr, kSOk);
        EXPECT_EQ(out.header, c.expectedOut);
        EXPECT_EQ(out.guard, 0xCAFEF00Du) << "wrote past the 12-byte block";
        EXPECT_EQ(in.header, c.in) << "the input block is only read";
        EXPECT_EQ(bufSize, 555u);
    }
}

TEST(DevModeRule, InputSizeFourCopiesOnlyTheSizeField) {
    // Same signature: only the first 4 bytes are copied, then the header set;
    // the copied size is overwritten by 12 anyway, so the signature survives.
    unsigned char in[12];
    unsigned char out[12];
    const Header inHeader{4, kForeign, 0x11111111};
    const Header outHeader{12, kForeign, 0x22222222};
    std::memcpy(in, inHeader.data(), 12);
    std::memcpy(out, outHeader.data(), 12);
    CarryOverDevmode(in, out);
    Header result;
    std::memcpy(result.data(), out, 12);
    EXPECT_EQ(result, (Header{12, kForeign, 1}));
}

TEST(DevModeRule, SizeModeReportsTwelveAndTouchesNoBlock) {
    Block in{{1, 2, 3}};
    Block out{{4, 5, 6}};
    std::uint32_t bufSize = 0;
    DevModeBlocks blocks{&in.header, &out.header, &bufSize};
    EXPECT_EQ(DevModeRule(1, &blocks).hr, kSOk);
    EXPECT_EQ(bufSize, 12u);
    EXPECT_EQ(in.header, (Header{1, 2, 3}));
    EXPECT_EQ(out.header, (Header{4, 5, 6}));

    DevModeBlocks noBlocks{nullptr, nullptr, &bufSize};
    bufSize = 0;
    EXPECT_EQ(DevModeRule(1, &noBlocks).hr, kSOk);
    EXPECT_EQ(bufSize, 12u);
}

TEST(DevModeRule, NullBlocksAreSkipped) {
    Block out{{0, 0, 0}};
    for (std::uint32_t mode : {2u, 3u, 4u}) {
        DevModeBlocks noOutput{&out.header, nullptr, nullptr};
        EXPECT_EQ(DevModeRule(mode, &noOutput).hr, kSOk);
    }
    DevModeBlocks noInput{nullptr, &out.header, nullptr};
    EXPECT_EQ(DevModeRule(3, &noInput).hr, kSOk);
    EXPECT_EQ(out.header, (Header{0, 0, 0})) << "convert without input leaves the output alone";
    EXPECT_EQ(DevModeRule(4, &noInput).hr, kSOk);
    EXPECT_EQ(out.header, (Header{12, kZelt, 1})) << "merge still stamps the header";
}

TEST(DevModeRule, BadModeOrMissingBlockFailsWith87) {
    Block out{{9, 9, 9}};
    std::uint32_t bufSize = 3;
    DevModeBlocks blocks{nullptr, &out.header, &bufSize};
    for (std::uint32_t mode : {0u, 5u, 0xFFFFFFFFu}) {
        const RuleResult r = DevModeRule(mode, &blocks);
        EXPECT_EQ(r.hr, kEFail);
        EXPECT_EQ(r.lastError, 87u);
    }
    EXPECT_EQ(DevModeRule(2, nullptr).lastError, 87u);
    EXPECT_EQ(out.header, (Header{9, 9, 9}));
    EXPECT_EQ(bufSize, 3u);
}

}  // namespace
}  // namespace zelt
