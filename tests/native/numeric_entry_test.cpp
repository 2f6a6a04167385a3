#include "pages/common/numeric_entry.h"

#include <gtest/gtest.h>

namespace zelt {
namespace {

TEST(ParseNumericEntry, AcceptsWholeNumbersInRangeOnly) {
    const struct {
        const wchar_t* text;
        std::uint32_t low, high;
        std::optional<std::uint32_t> expected;
    } cases[] = {
        {L"1", 1, 127, 1u},        {L"127", 1, 127, 127u},   {L"20", 1, 127, 20u},
        {L"007", 1, 127, 7u},      {L"0", 1, 127, {}},       {L"128", 1, 127, {}},
        {L"999", 1, 127, {}},      {L"", 1, 127, {}},        {L"12a", 1, 127, {}},
        {L"-1", 1, 127, {}},       {L" 5", 1, 127, {}},      {L"5 ", 1, 127, {}},
        {L"255", 1, 255, 255u},    {L"256", 1, 255, {}},     {L"99999999999999999999", 1, 255, {}},
        {L"\x0661", 1, 255, {}},  // an Arabic-Indic digit is not a digit here
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseNumericEntry(c.text, c.low, c.high), c.expected) << "'" << c.text << "'";
    }
}

}  // namespace
}  // namespace zelt
