// Access keys as dialogs mark them, and captions as the user reads them. The
// tests that read the compiled templates (natively, UTF-16 as char16_t) and
// those that drive the pages under Wine (wchar_t) share these rules.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::test {
namespace access_keys_detail {

// Where each single '&' stands; "&&" shows one ampersand and marks nothing.
template <class Char>
std::vector<std::size_t> Marks(std::basic_string_view<Char> caption) {
    std::vector<std::size_t> marks;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != Char('&')) continue;
        if (i + 1 < caption.size() && caption[i + 1] == Char('&')) {
            ++i;
            continue;
        }
        marks.push_back(i);
    }
    return marks;
}

template <class Char>
bool IsLatinLetter(Char c) {
    return (c >= Char('A') && c <= Char('Z')) || (c >= Char('a') && c <= Char('z'));
}

// The Japanese form: a half-width "(&X)" closing the caption.
template <class Char>
bool KeyAfter(std::basic_string_view<Char> caption) {
    const std::size_t n = caption.size();
    return n >= 4 && caption[n - 4] == Char('(') && caption[n - 3] == Char('&') && IsLatinLetter(caption[n - 2]) &&
           caption[n - 1] == Char(')');
}

template <class Char>
std::optional<char> Key(std::basic_string_view<Char> caption) {
    const std::vector<std::size_t> marks = Marks(caption);
    if (marks.size() != 1 || marks[0] + 1 >= caption.size() || !IsLatinLetter(caption[marks[0] + 1])) {
        return std::nullopt;
    }
    const Char letter = caption[marks[0] + 1];
    return static_cast<char>(letter >= Char('a') ? letter - Char('a') + Char('A') : letter);
}

template <class Char>
std::basic_string<Char> Seen(std::basic_string_view<Char> caption) {
    if (KeyAfter(caption)) caption.remove_suffix(4);
    std::basic_string<Char> seen;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == Char('&') && ++i == caption.size()) break;
        seen.push_back(caption[i]);
    }
    return seen;
}

}  // namespace access_keys_detail

// The caption's access key, upper-case: the Latin letter after its one mark.
// None without a mark, with several, or with a mark on anything else (a key
// the user could not type as Alt plus a letter).
inline std::optional<char> AccessKey(std::u16string_view caption) { return access_keys_detail::Key(caption); }
inline std::optional<char> AccessKey(std::wstring_view caption) { return access_keys_detail::Key(caption); }

// The number of access-key marks in the caption.
inline std::size_t AccessKeyMarks(std::u16string_view caption) { return access_keys_detail::Marks(caption).size(); }

// Whether the key stands after the caption, as "(&X)" at its end, the form
// Japanese pages use.
inline bool KeyAfterCaption(std::u16string_view caption) { return access_keys_detail::KeyAfter(caption); }

// The caption as the user reads it: without a closing "(&X)", without the
// other marks, and with "&&" shown as "&".
inline std::u16string SeenText(std::u16string_view caption) { return access_keys_detail::Seen(caption); }
inline std::wstring SeenText(std::wstring_view caption) { return access_keys_detail::Seen(caption); }

}  // namespace zelt::test
