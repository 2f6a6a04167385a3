#include "page_walk.h"

#include "printer_names.h"
#include "window_capture.h"

namespace zelt::host {

bool WalkPages(SheetSession& sheet, const WalkRequest& request, std::vector<PageSeen>& pages, std::wstring& error) {
    const int count = sheet.PageCount();
    if (count <= 0) {
        error = L"the sheet has no pages";
        return false;
    }
    for (int index = 0; index < count; ++index) {
        PageSeen page;
        page.caption = sheet.TabCaption(index);
        if (!sheet.SelectPage(index)) {
            error = L"could not show page " + std::to_wstring(index + 1) + L" (" + page.caption + L")";
            return false;
        }
        if (!request.shotsFolder.empty()) {
            RgbImage image;
            page.shotPath = request.shotsFolder + L"\\" +
                            ShotFileName(request.model, request.language, index + 1, page.caption);
            if (!CaptureWindow(sheet.window(), image, error) || !WritePngFile(page.shotPath, image, error)) {
                return false;
            }
        }
        pages.push_back(page);
    }
    if (!sheet.Press(request.apply ? SheetButton::kOk : SheetButton::kCancel)) {
        error = L"the sheet did not take the closing button press";
        return false;
    }
    return sheet.WaitClosed(error);
}

std::wstring UiLanguageTag() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? L"ja" : L"en";
}

}  // namespace zelt::host
