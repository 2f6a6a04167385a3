// Test support: checks the page tests share, on top of the page driver.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "logo/logo_settings.h"
#include "page_driver.h"

namespace zelt::test {

// Each value stored as the number given; a failure names the value.
inline void ExpectStored(const PrinterValues& values, const NamedNumbers& expected) {
    for (const auto& [name, number] : expected) EXPECT_EQ(values.Number(name), number) << Narrow(name);
}

// The Copy Options controls that "Simple Copy" and the Logo page's mode
// switch besides "Simple Copy" itself, with the presenter's when `presenter`.
inline std::vector<int> CopyControlsBesideSimpleCopy(bool presenter) {
    std::vector<int> ids(kCopyDependentControls.begin(), kCopyDependentControls.end());
    if (presenter) ids.insert(ids.end(), kCopyPresenterControls.begin(), kCopyPresenterControls.end());
    return ids;
}

// Whether a Copy Options page's "Simple Copy", and the controls beside it,
// are enabled; `which` names the page in a failure.
inline void ExpectCopyControls(HWND copyPage, bool presenter, bool simpleCopyEnabled, bool othersEnabled,
                               const std::string& which = "") {
    ASSERT_NE(copyPage, nullptr) << which;
    EXPECT_EQ(IsEnabled(copyPage, kCopySimpleCopy), simpleCopyEnabled) << which << ": Simple Copy";
    for (int id : CopyControlsBesideSimpleCopy(presenter)) {
        EXPECT_EQ(IsEnabled(copyPage, id), othersEnabled) << which << ": " << id;
    }
}

}  // namespace zelt::test
