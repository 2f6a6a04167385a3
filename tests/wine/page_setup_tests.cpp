// DevicePropertySheets as the common property sheet calls it. The module's
// imports of the driver query, the version query and the page creation are
// watched (and the first two steered) through its import table; the pages are
// real property pages handed to a recording callback.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "iat_hook.h"
#include "plugin_loader.h"

#include <commctrl.h>

namespace {

// --- Steered driver query -------------------------------------------------
enum class DriverAnswer { kDataFile, kFailsFirstCall, kFailsSecondCall };
DriverAnswer g_driverAnswer = DriverAnswer::kDataFile;
std::wstring g_dataFile;
int g_driverQueries = 0;

BOOL WINAPI FakeGetPrinterDriverW(HANDLE, LPWSTR, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed) {
    ++g_driverQueries;
    const DWORD required = sizeof(DRIVER_INFO_4W) + (g_dataFile.size() + 1) * sizeof(wchar_t);
    if (g_driverAnswer == DriverAnswer::kFailsFirstCall || level != 4) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *needed = required;
    if (buffer == nullptr || size < required) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (g_driverAnswer == DriverAnswer::kFailsSecondCall) {  // fails where it would have answered
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto* info = reinterpret_cast<DRIVER_INFO_4W*>(buffer);
    std::memset(info, 0, sizeof *info);
    info->cVersion = 3;
    auto* text = reinterpret_cast<wchar_t*>(buffer + sizeof(DRIVER_INFO_4W));
    std::memcpy(text, g_dataFile.c_str(), (g_dataFile.size() + 1) * sizeof(wchar_t));
    info->pDataFile = text;
    return TRUE;
}

// --- Steered version query -------------------------------------------------
enum class VersionAnswer { kReal, kFixed, kOnlyPlainStructure, kFails };
VersionAnswer g_versionAnswer = VersionAnswer::kReal;
DWORD g_major = 0, g_minor = 0;
using GetVersionExWFn = BOOL(WINAPI*)(OSVERSIONINFOW*);
GetVersionExWFn g_realGetVersionExW = nullptr;

BOOL WINAPI FakeGetVersionExW(OSVERSIONINFOW* version) {
    switch (g_versionAnswer) {
        case VersionAnswer::kReal:
            return g_realGetVersionExW(version);
        case VersionAnswer::kFails:
            return FALSE;
        case VersionAnswer::kOnlyPlainStructure:
            if (version->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW)) return FALSE;
            break;
        case VersionAnswer::kFixed:
            break;
    }
    version->dwMajorVersion = g_major;
    version->dwMinorVersion = g_minor;
    return TRUE;
}

// --- Recorded page creation -------------------------------------------------
using CreatePageFn = HPROPSHEETPAGE(WINAPI*)(const PROPSHEETPAGEW*);
CreatePageFn g_realCreatePage = nullptr;
std::vector<PROPSHEETPAGEW> g_createdPages;

HPROPSHEETPAGE WINAPI RecordingCreatePage(const PROPSHEETPAGEW* page) {
    g_createdPages.push_back(*page);
    return g_realCreatePage(page);
}

// --- The host's page-adding callback ------------------------------------------
struct AddedPage {
    UINT function;
    LPARAM page;
    LPARAM second;
};
std::vector<AddedPage> g_added;
const HANDLE kSheetHandle = reinterpret_cast<HANDLE>(0x5151);

LONG_PTR CALLBACK RecordingAddPage(HANDLE sheet, UINT function, LPARAM page, LPARAM second) {
    EXPECT_EQ(sheet, kSheetHandle);
    g_added.push_back({function, page, second});
    return 100 + static_cast<LONG_PTR>(g_added.size());  // the host's answer for each page
}

class PageSetupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        HMODULE plugin = PluginModule::Get().module;
        ASSERT_NE(ReplaceImport(plugin, "winspool.drv", "GetPrinterDriverW",
                                reinterpret_cast<void*>(FakeGetPrinterDriverW)),
                  nullptr);
        g_realGetVersionExW = reinterpret_cast<GetVersionExWFn>(
            ReplaceImport(plugin, "kernel32.dll", "GetVersionExW", reinterpret_cast<void*>(FakeGetVersionExW)));
        ASSERT_NE(g_realGetVersionExW, nullptr);
        g_realCreatePage = reinterpret_cast<CreatePageFn>(ReplaceImport(
            plugin, "comctl32.dll", "CreatePropertySheetPageW", reinterpret_cast<void*>(RecordingCreatePage)));
        ASSERT_NE(g_realCreatePage, nullptr);
    }

    void SetUp() override {
        ui = PluginModule::Get().CreateObject();
        ASSERT_NE(ui, nullptr);
        g_driverAnswer = DriverAnswer::kDataFile;
        g_dataFile = L"C:\\windows\\system32\\spool\\drivers\\w32x86\\3\\QWNB18_ZOOM.GPD";
        g_versionAnswer = VersionAnswer::kReal;
        g_driverQueries = 0;
        g_createdPages.clear();
        g_added.clear();
        params.cbSize = sizeof params;
        params.hPrinter = reinterpret_cast<HANDLE>(0x7777);
        info = {};
        info.cbSize = sizeof info;
        info.Version = 0x100;
        info.hComPropSheet = kSheetHandle;
        info.pfnComPropSheet = RecordingAddPage;
        info.lParamInit = reinterpret_cast<LPARAM>(&params);
        info.Result = 0x55;
    }

    void TearDown() override {
        for (const AddedPage& added : g_added) {
            if (added.page != 0) DestroyPropertySheetPage(reinterpret_cast<HPROPSHEETPAGE>(added.page));
        }
        ui->Release();
    }

    std::vector<int> Templates() const {
        std::vector<int> ids;
        for (const PROPSHEETPAGEW& page : g_createdPages) ids.push_back(static_cast<int>(
            reinterpret_cast<ULONG_PTR>(page.pszTemplate)));
        return ids;
    }

    IPrintOemUI* ui = nullptr;
    OEMUIPSPARAM params = {};
    PROPSHEETUI_INFO info = {};
};

TEST_F(PageSetupTest, RefusesAMissingOrForeignSheetInfo) {
    SetLastError(0);
    EXPECT_EQ(ui->DevicePropertySheets(nullptr, 0), E_FAIL);
    EXPECT_EQ(GetLastError(), 87u);

    for (WORD version : {0, 0xFF, 0x101}) {
        info.Version = version;
        SetLastError(0);
        EXPECT_EQ(ui->DevicePropertySheets(&info, 0), E_FAIL);
        EXPECT_EQ(GetLastError(), 87u);
        EXPECT_EQ(info.Result, 0x55);
    }
    EXPECT_EQ(g_driverQueries, 0) << "a refused call asks the driver nothing";
    EXPECT_TRUE(g_added.empty());
}

TEST_F(PageSetupTest, AnswersEveryReasonWithItsResult) {
    PROPSHEETUI_INFO_HEADER header;
    std::memset(&header, 0x3C, sizeof header);
    PROPSHEETUI_INFO_HEADER untouched = header;
    info.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
    EXPECT_EQ(ui->DevicePropertySheets(&info, reinterpret_cast<LPARAM>(&header)), S_OK);
    EXPECT_EQ(info.Result, 1);
    ASSERT_NE(header.pTitle, nullptr);
    EXPECT_STREQ(header.pTitle, L"OEM UI Page");
    header.pTitle = untouched.pTitle;
    EXPECT_EQ(std::memcmp(&header, &untouched, sizeof header), 0) << "only the title is set";

    SETRESULT_INFO setResult = {};
    setResult.cbSize = sizeof setResult;
    setResult.Result = 77;
    const struct {
        DWORD reason;
        LPARAM lParam;
        LONG_PTR result;
    } cases[] = {
        {PROPSHEETUI_REASON_DESTROY, 9, 1},
        {PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&setResult), 77},
        {PROPSHEETUI_REASON_GET_ICON, 9, 0},
        {5, 0x4242, 0x4242},
        {1000, -7, -7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        info.Reason = c.reason;
        info.Result = 0x55;
        EXPECT_EQ(ui->DevicePropertySheets(&info, c.lParam), S_OK);
        EXPECT_EQ(info.Result, c.result);
    }
    EXPECT_TRUE(g_added.empty()) << "pages come only at the first reason";
    EXPECT_EQ(g_driverQueries, 0) << "only the reason that adds pages asks the driver";
}

// Which pages each model gets: the page plan's own tests, and the real sheet
// of every model; here the pages of a zoom model as they are handed over.
TEST_F(PageSetupTest, AddsThePagesInOrder) {
    info.Reason = PROPSHEETUI_REASON_INIT;
    EXPECT_EQ(ui->DevicePropertySheets(&info, 0), S_OK);
    EXPECT_EQ(Templates(), (std::vector<int>{115, 108, 116, 110, 114}));
    EXPECT_EQ(g_driverQueries, 1) << "an answer of usual size needs one query";
    ASSERT_EQ(g_added.size(), g_createdPages.size());
    EXPECT_EQ(info.Result, 100 + static_cast<LONG_PTR>(g_added.size())) << "the answer for the ETB page";
    for (size_t i = 0; i < g_added.size(); ++i) {
        EXPECT_EQ(g_added[i].function, static_cast<UINT>(CPSFUNC_ADD_HPROPSHEETPAGE));
        EXPECT_NE(g_added[i].page, 0) << "a real page handle";
        EXPECT_EQ(g_added[i].second, 0);
        const PROPSHEETPAGEW& page = g_createdPages[i];
        // The page structure through hActCtx, in this architecture's layout.
        EXPECT_EQ(page.dwSize, sizeof(void*) == 8 ? 96u : 52u);
        EXPECT_EQ(page.dwFlags, static_cast<DWORD>(PSP_HASHELP)) << "this system is not version 5.1 or 5.2";
        EXPECT_EQ(page.hInstance, PluginModule::Get().module);
        EXPECT_EQ(page.lParam, info.lParamInit);
        EXPECT_NE(page.pfnDlgProc, nullptr);
        EXPECT_EQ(page.pszTitle, nullptr);
        EXPECT_EQ(page.pfnCallback, nullptr);
        EXPECT_EQ(page.pcRefParent, nullptr);
    }
}

TEST_F(PageSetupTest, FusionContextOnlyOnVersionsFiveOneAndFiveTwo) {
    const struct {
        VersionAnswer answer;
        DWORD major, minor;
        bool fusion;
    } cases[] = {
        {VersionAnswer::kFixed, 5, 0, false},
        {VersionAnswer::kFixed, 5, 1, true},
        {VersionAnswer::kFixed, 5, 2, true},
        {VersionAnswer::kFixed, 6, 0, false},
        {VersionAnswer::kOnlyPlainStructure, 5, 1, true},
        {VersionAnswer::kFails, 5, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor));
        TearDown();
        SetUp();
        g_versionAnswer = c.answer;
        g_major = c.major;
        g_minor = c.minor;
        info.Reason = PROPSHEETUI_REASON_INIT;
        ASSERT_EQ(ui->DevicePropertySheets(&info, 0), S_OK);
        ASSERT_EQ(g_createdPages.size(), 5u);
        for (const PROPSHEETPAGEW& page : g_createdPages) {
            EXPECT_EQ((page.dwFlags & PSP_USEFUSIONCONTEXT) != 0, c.fusion);
            if (c.fusion) {
                EXPECT_NE(page.hActCtx, nullptr);
                EXPECT_NE(page.hActCtx, INVALID_HANDLE_VALUE);
                EXPECT_EQ(page.hActCtx, g_createdPages[0].hActCtx) << "one context for the module's life";
            }
        }
    }
}

TEST_F(PageSetupTest, WithoutDriverInformationOnlyTheModelFreePages) {
    for (DriverAnswer answer : {DriverAnswer::kFailsFirstCall, DriverAnswer::kFailsSecondCall}) {
        TearDown();
        SetUp();
        g_driverAnswer = answer;
        info.Reason = PROPSHEETUI_REASON_INIT;
        EXPECT_EQ(ui->DevicePropertySheets(&info, 0), S_OK);
        EXPECT_EQ(Templates(), (std::vector<int>{108, 114}));
        EXPECT_EQ(info.Result, 102);
    }
}

TEST_F(PageSetupTest, AnAnswerLargerThanUsualIsAskedForAgain) {
    g_dataFile = L"C:\\" + std::wstring(3000, L'd') + L"\\QRVA57.GPD";
    info.Reason = PROPSHEETUI_REASON_INIT;
    EXPECT_EQ(ui->DevicePropertySheets(&info, 0), S_OK);
    EXPECT_EQ(g_driverQueries, 2);
    EXPECT_EQ(Templates(), (std::vector<int>{106, 108, 105, 114}));
}

TEST_F(PageSetupTest, NoParameterBlockMeansNoPrinterAndNoModel) {
    info.lParamInit = 0;
    g_driverAnswer = DriverAnswer::kFailsFirstCall;
    info.Reason = PROPSHEETUI_REASON_INIT;
    EXPECT_EQ(ui->DevicePropertySheets(&info, 0), S_OK);
    EXPECT_EQ(Templates(), (std::vector<int>{108, 114}));
}

}  // namespace
