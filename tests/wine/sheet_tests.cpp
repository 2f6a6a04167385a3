// The plug-in's pages in the printer's real Properties sheet: a simulated
// printer per model in the Wine prefix, the sheet opened through compstui by
// the driver UI host, and the page descriptions the plug-in hands to
// comctl32 watched through its import table.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "iat_hook.h"
#include "page_driver.h"
#include "plugin_session.h"
#include "printer_names.h"
#include "printer_setup.h"
#include "sheet_session.h"

using namespace zelt::host;
using zelt::test::Narrow;

namespace {

// --- Page descriptions as the plug-in creates them --------------------------
struct CreatedPage {
    UINT_PTR templateId;
    DWORD flags;
    LPARAM lParam;
};

using CreatePageFunction = HPROPSHEETPAGE(WINAPI*)(LPCPROPSHEETPAGEW);
CreatePageFunction g_realCreatePage = nullptr;
std::vector<CreatedPage> g_createdPages;

HPROPSHEETPAGE WINAPI RecordingCreatePage(LPCPROPSHEETPAGEW page) {
    g_createdPages.push_back({reinterpret_cast<UINT_PTR>(page->pszTemplate), page->dwFlags, page->lParam});
    return g_realCreatePage(page);
}

// --- Models and their pages -------------------------------------------------
struct ModelCase {
    const wchar_t* dataFile;
    std::vector<UINT_PTR> templates;  // in page order
};

const ModelCase kModels[] = {
    {L"QRVX10.GPD", {107, 108, 109, 114}},
    {L"QRVC31.GPD", {107, 108, 109, 114}},
    {L"QRVA57.GPD", {106, 108, 105, 114}},
    {L"QRVA59.GPD", {112, 108, 111, 114}},
    {L"QRVB15.GPD", {117, 108, 109, 114}},
    {L"QRVB15_FIXZOOM.GPD", {117, 108, 109, 114}},
    {L"QRVB18.GPD", {115, 108, 116, 114}},
    {L"QWNB18_ZOOM.GPD", {115, 108, 116, 110, 114}},
    {L"QRVC252.GPD", {119, 108, 118, 114}},
    {L"QRVD67_ZOOM.GPD", {107, 108, 109, 110, 114}},
    {L"QWNB15_ZOOM.GPD", {117, 108, 109, 110, 114}},
    {L"B18\\PLAIN.GPD", {115, 108, 116, 114}},
    {L"QRVA57C252.GPD", {106, 108, 105, 114}},
};

struct PageCaption {
    std::vector<UINT_PTR> templates;
    const wchar_t* english;
    const wchar_t* japanese;
};

const PageCaption kCaptions[] = {
    {{106, 107, 112, 115, 117, 119}, L"Raster Print Options", L"ラスター印刷設定"},
    {{108}, L"Logo", L"ロゴ"},
    {{105, 109, 111, 116, 118}, L"Copy Options", L"複写"},
    {{110}, L"Zoom", L"ズーム機能"},
    {{114}, L"ETB Funtion", L"ETB機能"},
};

std::wstring CaptionOf(UINT_PTR templateId, bool japanese) {
    for (const auto& caption : kCaptions) {
        for (UINT_PTR id : caption.templates) {
            if (id == templateId) return japanese ? caption.japanese : caption.english;
        }
    }
    return L"(unknown template " + std::to_wstring(templateId) + L")";
}

// One model's printer with the plug-in loaded and its page creation watched.
class OpenedPlugin {
public:
    explicit OpenedPlugin(const std::wstring& dataFile) {
        PrinterRequest request{dataFile, L"Zelt Sheet Test " + ModelName(dataFile), L""};
        SimulatedPrinter printer;
        if (!EnsurePrinter(request, printer, error_)) return;
        if (!session_.Load(DefaultPluginPath(), error_) || !session_.AttachPrinter(printer.printerName, error_)) {
            return;
        }
        g_createdPages.clear();
        if (!HookImport(session_.module(), "comctl32.dll", "CreatePropertySheetPageW", &RecordingCreatePage,
                        g_realCreatePage)) {
            error_ = L"the plug-in does not import CreatePropertySheetPageW from comctl32.dll";
        }
    }
    const std::wstring& error() const { return error_; }
    PluginSession& session() { return session_; }

private:
    PluginSession session_;
    std::wstring error_;
};

void ExpectCaptions(const SheetSession& sheet, const std::vector<UINT_PTR>& templates, bool japanese) {
    ASSERT_EQ(sheet.PageCount(), static_cast<int>(templates.size()));
    for (std::size_t i = 0; i < templates.size(); ++i) {
        EXPECT_EQ(Narrow(sheet.TabCaption(static_cast<int>(i))), Narrow(CaptionOf(templates[i], japanese)))
            << "tab " << i + 1;
    }
}

const ModelCase& ModelWithAllPages() {
    for (const auto& model : kModels) {
        if (model.templates.size() == 5) return model;
    }
    return kModels[0];
}

class SheetPages : public ::testing::TestWithParam<ModelCase> {};

TEST_P(SheetPages, ShowsTheModelsPagesInOrderAndCancelsCleanly) {
    const ModelCase& model = GetParam();
    OpenedPlugin opened(model.dataFile);
    ASSERT_TRUE(opened.error().empty()) << Narrow(opened.error());
    PluginSession& session = opened.session();
    SheetSession sheet(session.plugin(), session.sheetParams());
    std::wstring error;
    ASSERT_TRUE(sheet.Open(error)) << Narrow(error);

    ExpectCaptions(sheet, model.templates, false);
    ASSERT_EQ(g_createdPages.size(), model.templates.size());
    for (std::size_t i = 0; i < model.templates.size(); ++i) {
        EXPECT_EQ(g_createdPages[i].templateId, model.templates[i]) << "page " << i + 1;
        // Wine reports Windows 7, where pages are not drawn through the manifest.
        EXPECT_EQ(g_createdPages[i].flags, static_cast<DWORD>(PSP_HASHELP)) << "page " << i + 1;
        EXPECT_EQ(g_createdPages[i].lParam, reinterpret_cast<LPARAM>(session.sheetParams())) << "page " << i + 1;
    }
#if defined(_WIN64)
    // Handed over above 4 GiB: a pointer cut to 32 bits on the way to the
    // pages' window data would fault when the pages are shown below.
    const OEMUIPSPARAM* params = session.sheetParams();
    for (const void* pointer : {static_cast<const void*>(params), static_cast<const void*>(params->pPrinterName),
                                static_cast<const void*>(params->pPublicDM), static_cast<const void*>(params->pOEMDM)}) {
        EXPECT_GT(reinterpret_cast<UINT_PTR>(pointer), UINT_PTR{0xFFFFFFFF});
    }
#endif
    for (int i = 0; i < sheet.PageCount(); ++i) {
        ASSERT_TRUE(sheet.SelectPage(i)) << "page " << i + 1;
        HWND page = sheet.PageWindow(i);
        ASSERT_NE(page, nullptr) << "page " << i + 1;
        EXPECT_EQ(GetParent(page), sheet.window()) << "page " << i + 1;
    }

    ASSERT_TRUE(sheet.Press(SheetButton::kCancel));
    ASSERT_TRUE(sheet.WaitClosed(error)) << Narrow(error);
    EXPECT_TRUE(sheet.closed());
    ASSERT_FALSE(sheet.run().reasons.empty());
    EXPECT_EQ(sheet.run().reasons.back(), static_cast<DWORD>(PROPSHEETUI_REASON_DESTROY));
    for (HRESULT result : sheet.run().pluginResults) EXPECT_EQ(result, S_OK);

    EXPECT_EQ(session.ReleasePlugin(), 0u);
    EXPECT_EQ(session.helper().references(), 1) << "the object must let go of the driver's helper";
    EXPECT_EQ(session.CanUnloadNow(), S_OK);
}

INSTANTIATE_TEST_SUITE_P(Models, SheetPages, ::testing::ValuesIn(kModels),
                         [](const ::testing::TestParamInfo<ModelCase>& info) {
                             return zelt::test::TestNameOf(info.param.dataFile);
                         });

// --- Unwinding through the plug-in's frames ------------------------------------
// A walk of the stack from inside a call a page makes while it initialises
// (its first read of a stored value, through the page's import table) must
// pass the page's frames and reach the program's own below the sheet: on x64
// that needs the module's unwind data, as every exception, crash dump and
// debugger does. The walk raises nothing.
using GetPrinterDataFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, LPDWORD, LPBYTE, DWORD, LPDWORD);
GetPrinterDataFunction g_realGetPrinterData = nullptr;
std::vector<void*> g_walk;  // return addresses, innermost first, of the first read

DWORD WINAPI WalkingGetPrinterData(HANDLE printer, LPWSTR name, LPDWORD type, LPBYTE data, DWORD size,
                                   LPDWORD needed) {
    if (g_walk.empty()) {
        void* frames[62];
        const USHORT count = RtlCaptureStackBackTrace(0, 62, frames, nullptr);
        g_walk.assign(frames, frames + count);
    }
    return g_realGetPrinterData(printer, name, type, data, size, needed);
}

HMODULE ModuleAt(void* address) {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCWSTR>(address), &module);
    return module;
}

std::string ModuleNameAt(void* address) {
    wchar_t path[MAX_PATH] = L"?";
    if (HMODULE module = ModuleAt(address)) GetModuleFileNameW(module, path, MAX_PATH);
    const std::wstring name(path);
    return Narrow(name.substr(name.find_last_of(L'\\') + 1));
}

TEST(StackWalk, FromBelowAPageProcedureReachesTheProgramsFrames) {
#if !defined(_WIN64)
    GTEST_SKIP() << "32-bit exceptions unwind through the records on the stack, not through unwind tables";
#endif
    OpenedPlugin opened(kModels[0].dataFile);
    ASSERT_TRUE(opened.error().empty()) << Narrow(opened.error());
    const HMODULE plugin = opened.session().module();
    ASSERT_TRUE(HookImport(plugin, "winspool.drv", "GetPrinterDataW", &WalkingGetPrinterData, g_realGetPrinterData));
    g_walk.clear();
    SheetSession sheet(opened.session().plugin(), opened.session().sheetParams());
    std::wstring error;
    ASSERT_TRUE(sheet.Open(error)) << Narrow(error);  // shows, and so initialises, the first page
    ASSERT_TRUE(sheet.Press(SheetButton::kCancel));
    ASSERT_TRUE(sheet.WaitClosed(error)) << Narrow(error);

    std::string walk;
    for (void* address : g_walk) walk += " " + ModuleNameAt(address);
    // The replaced import, then the plug-in's frames in one run, then the
    // system's (dialog manager, sheet), each in a module, up to the program's
    // own. A frame without unwind data is taken for a leaf: the walk then
    // reads any word of the stack as a return address and goes astray.
    const HMODULE program = GetModuleHandleW(nullptr);
    size_t at = 0;
    while (at < g_walk.size() && ModuleAt(g_walk[at]) == program) ++at;
    const size_t firstInPlugin = at;
    while (at < g_walk.size() && ModuleAt(g_walk[at]) == plugin) ++at;
    ASSERT_GT(at, firstInPlugin) << "no frame of the plug-in below the read:" << walk;
    while (at < g_walk.size() && ModuleAt(g_walk[at]) != nullptr && ModuleAt(g_walk[at]) != plugin &&
           ModuleAt(g_walk[at]) != program) {
        ++at;
    }
    EXPECT_TRUE(at < g_walk.size() && ModuleAt(g_walk[at]) == program)
        << "the walk is lost after the plug-in's frames:" << walk;
}

// Registered separately with LANG=ja_JP.UTF-8: Wine then loads the Japanese
// dialog templates, whose captions the tabs show.
TEST(JapaneseSheet, TabsShowTheJapaneseCaptions) {
    ASSERT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_JAPANESE)
        << "run with LANG=ja_JP.UTF-8 and the ja_JP.UTF-8 locale generated";
    const ModelCase& model = ModelWithAllPages();
    OpenedPlugin opened(model.dataFile);
    ASSERT_TRUE(opened.error().empty()) << Narrow(opened.error());
    SheetSession sheet(opened.session().plugin(), opened.session().sheetParams());
    std::wstring error;
    ASSERT_TRUE(sheet.Open(error)) << Narrow(error);
    ExpectCaptions(sheet, model.templates, true);
    ASSERT_TRUE(sheet.Press(SheetButton::kCancel));
    ASSERT_TRUE(sheet.WaitClosed(error)) << Narrow(error);
}

}  // namespace
