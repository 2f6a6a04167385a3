// Lifetime in one process: many objects made and released, many sheets opened
// and closed. Afterwards the module may unload and the process holds no more
// kernel handles, GDI objects or windows than after the first few cycles.
//
// Wine's GetProcessHandleCount and GetGuiResources answer 0, so the counts
// are also taken another way: kernel handles by probing handle values, GDI
// objects from the process's GDI handle table (by type), USER objects as the
// process's windows. The figures are printed for docs/robustness.md.
#include <gtest/gtest.h>

#include <windows.h>
#include <intrin.h>

#include <cstdio>
#include <map>
#include <string>

#include "page_driver.h"

using namespace zelt::test;
using namespace zelt;

namespace {

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();

// kZoomModel has all five pages.
constexpr int kZoomModelPageCount = 5;

constexpr int kObjectCycles = 1000;
constexpr int kSheetCycles = 50;
// First cycles may fill caches (string tables, classes, fonts, the spooler's
// own state); the counts are compared from here on.
constexpr int kObjectWarmUp = 20;
constexpr int kSheetWarmUp = 10;
// A GDI object made lazily the first time some rare painting path runs (a
// system colour brush, say) may still come after the warm-up; a leak of one
// object per cycle, or even per ten cycles, exceeds this.
constexpr int kLateCachedGdiObjects = 2;
constexpr int kWineOwnGdiType = 0x09;

// --- Counting what the process holds -----------------------------------------------------
// The 24-byte entry of the GDI handle table the process environment block
// points to; an entry in use has a non-zero type.
struct GdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry layout");
constexpr int kGdiHandleEntries = 0x10000;
#if defined(_WIN64)
constexpr DWORD kPebGdiSharedHandleTable = 0xF8;
const BYTE* ProcessEnvironmentBlock() { return reinterpret_cast<const BYTE*>(__readgsqword(0x60)); }
#else
constexpr DWORD kPebGdiSharedHandleTable = 0x94;
const BYTE* ProcessEnvironmentBlock() { return reinterpret_cast<const BYTE*>(__readfsdword(0x30)); }
#endif

// Objects in use by type; empty when the process has no such table.
std::map<int, int> GdiTableObjects() {
    std::map<int, int> byType;
    const BYTE* peb = ProcessEnvironmentBlock();
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiSharedHandleTable);
    if (table == nullptr) return byType;
    for (int i = 0; i < kGdiHandleEntries; ++i) {
        if (table[i].type != 0) ++byType[table[i].type];
    }
    return byType;
}

// Handle values are multiples of 4 handed out lowest first.
constexpr UINT_PTR kLargestProbedHandle = 0x10000;

int KernelHandles() {
    int open = 0;
    DWORD flags = 0;
    for (UINT_PTR value = 4; value <= kLargestProbedHandle; value += 4) {
        open += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != FALSE;
    }
    return open;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, &CountChild, count);
    return TRUE;
}

// The process's top-level, child and message-only windows.
int ProcessWindows() {
    int count = 0;
    EnumWindows(&CountOwnWindow, reinterpret_cast<LPARAM>(&count));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        CountOwnWindow(window, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

struct ProcessCounts {
    DWORD handleCount = 0;  // GetProcessHandleCount
    DWORD gdiObjects = 0;   // GetGuiResources
    DWORD userObjects = 0;  // GetGuiResources
    int probedHandles = 0;
    std::map<int, int> gdiTable;
    int windows = 0;

    int gdiTableTotal() const {
        int total = 0;
        for (const auto& [type, count] : gdiTable) total += count;
        return total;
    }

    // The objects a page's code could make (DCs, regions, bitmaps, palettes,
    // fonts, brushes and pens). Type 09 is Wine's own bookkeeping, which its
    // drivers add to now and then on a sheet thread whatever the pages do.
    int gdiObjectsOfPages() const {
        const auto wines = gdiTable.find(kWineOwnGdiType);
        return gdiTableTotal() - (wines == gdiTable.end() ? 0 : wines->second);
    }
};

ProcessCounts CountNow() {
    ProcessCounts counts;
    GetProcessHandleCount(GetCurrentProcess(), &counts.handleCount);
    counts.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counts.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    counts.probedHandles = KernelHandles();
    counts.gdiTable = GdiTableObjects();
    counts.windows = ProcessWindows();
    return counts;
}

std::string Describe(const ProcessCounts& counts) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "GetProcessHandleCount %lu, GetGuiResources GDI %lu USER %lu; probed handles %d, windows %d, "
                  "GDI table %d (by type:",
                  static_cast<unsigned long>(counts.handleCount), static_cast<unsigned long>(counts.gdiObjects),
                  static_cast<unsigned long>(counts.userObjects), counts.probedHandles, counts.windows,
                  counts.gdiTableTotal());
    std::string description = text;
    for (const auto& [type, count] : counts.gdiTable) {
        std::snprintf(text, sizeof text, " %02X:%d", type, count);
        description += text;
    }
    return description + ")";
}

void Report(const char* what, const ProcessCounts& start, const ProcessCounts& warm, const ProcessCounts& end) {
    std::printf("[%s]\n  at start:        %s\n  after warm-up:   %s\n  after all:       %s\n", what,
                Describe(start).c_str(), Describe(warm).c_str(), Describe(end).c_str());
    std::fflush(stdout);
}

// --- The object, made and released as the driver does ---------------------------------
class PluginModule {
public:
    PluginModule() : module_(LoadLibraryW(host::DefaultPluginPath().c_str())) {}
    ~PluginModule() {
        if (module_) FreeLibrary(module_);
    }
    bool loaded() const { return module_ != nullptr; }

    // One object's whole life: class factory, object, helper published,
    // signature asked, released. False when a step failed.
    bool CreateAndRelease(host::DriverHelper& helper) {
        auto getClassObject = reinterpret_cast<GetClassObjectFunction>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
        IClassFactory* factory = nullptr;
        if (!getClassObject || FAILED(getClassObject(CLSID_ZeltOemUI, IID_IClassFactory,
                                                     reinterpret_cast<void**>(&factory)))) {
            return false;
        }
        IPrintOemUI* plugin = nullptr;
        const HRESULT created = factory->CreateInstance(nullptr, IID_IPrintOemUI, reinterpret_cast<void**>(&plugin));
        factory->Release();
        if (FAILED(created) || plugin == nullptr) return false;
        DWORD signature = 0;
        DWORD needed = 0;
        const bool used = SUCCEEDED(plugin->PublishDriverInterface(&helper)) &&
                          SUCCEEDED(plugin->GetInfo(OEMGI_GETSIGNATURE, &signature, sizeof signature, &needed)) &&
                          CanUnloadNow() == S_FALSE;
        return plugin->Release() == 0 && used;
    }

    HRESULT CanUnloadNow() const {
        auto canUnloadNow = reinterpret_cast<CanUnloadNowFunction>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
        return canUnloadNow ? canUnloadNow() : E_FAIL;
    }

private:
    HMODULE module_;
};

TEST(Lifetime, ThousandObjectsLeaveTheModuleFreeAndTheCountsFlat) {
    PluginModule module;
    ASSERT_TRUE(module.loaded());
    host::DriverHelper helper;
    const ProcessCounts start = CountNow();
    for (int cycle = 0; cycle < kObjectWarmUp; ++cycle) ASSERT_TRUE(module.CreateAndRelease(helper)) << cycle;
    const ProcessCounts warm = CountNow();
    for (int cycle = kObjectWarmUp; cycle < kObjectCycles; ++cycle) {
        ASSERT_TRUE(module.CreateAndRelease(helper)) << cycle;
    }
    const ProcessCounts end = CountNow();
    Report("1000 object cycles", start, warm, end);
    EXPECT_EQ(module.CanUnloadNow(), S_OK);
    EXPECT_EQ(helper.references(), 1) << "every object released the driver's helper";
    EXPECT_EQ(end.probedHandles, warm.probedHandles);
    EXPECT_EQ(end.windows, warm.windows);
    EXPECT_EQ(end.gdiTable, warm.gdiTable);
}

// Wine keeps the device contexts of windows in a cache that grows to the
// most ever in use at once (each entry a DC, a region and a bitmap) and never
// shrinks; how many a sheet's painting holds at once varies from run to run.
// Filling the cache first keeps its growth out of the counts.
void FillWindowDcCache() {
    constexpr int kWindows = 200;
    HWND windows[kWindows];
    HDC contexts[kWindows];
    for (int i = 0; i < kWindows; ++i) {
        windows[i] = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        contexts[i] = windows[i] ? GetDC(windows[i]) : nullptr;
    }
    for (int i = 0; i < kWindows; ++i) {
        if (contexts[i]) ReleaseDC(windows[i], contexts[i]);
        if (windows[i]) DestroyWindow(windows[i]);
    }
}

// Wine makes each system colour's brush the first time it is asked for;
// which colours a sheet's painting asks for first depends on what it got to
// paint before it closed, so the brushes would come in the counted cycles.
void FillSystemColourBrushes() {
    for (int colour = COLOR_SCROLLBAR; colour <= COLOR_MENUBAR; ++colour) GetSysColorBrush(colour);
}

// --- Sheets of the plug-in's pages -------------------------------------------------------
// One sheet: every page shown, then OK or Cancel.
void OpenVisitAndClose(PageSession& session, SheetButton close, int cycle) {
    std::wstring error;
    ASSERT_TRUE(session.OpenSheet(error)) << cycle << ": " << Narrow(error);
    ASSERT_EQ(session.sheet().PageCount(), kZoomModelPageCount) << cycle;
    for (int page = 0; page < kZoomModelPageCount; ++page) ASSERT_NE(session.ShowPage(page), nullptr) << cycle;
    const PressOutcome outcome = session.Press(close);
    ASSERT_TRUE(outcome.taken) << cycle;
    ASSERT_TRUE(outcome.messages.empty()) << cycle;
    ASSERT_FALSE(outcome.sheetOpen) << cycle;
}

TEST(Lifetime, FiftySheetsLeaveTheModuleFreeAndTheCountsFlat) {
    PageSession session;
    std::wstring error;
    ASSERT_TRUE(session.Prepare(kZoomModel, error)) << Narrow(error);
    const ProcessCounts beforeFill = CountNow();
    FillWindowDcCache();
    const ProcessCounts filled = CountNow();
    FillWindowDcCache();
    FillSystemColourBrushes();
    Report("window DC cache and colour brushes filled, then the cache again", beforeFill, filled, CountNow());

    const ProcessCounts start = CountNow();
    ProcessCounts warm;
    for (int cycle = 0; cycle < kSheetCycles; ++cycle) {
        if (cycle == kSheetWarmUp) warm = CountNow();
        OpenVisitAndClose(session, cycle % 2 ? SheetButton::kCancel : SheetButton::kOk, cycle);
        ASSERT_FALSE(HasFatalFailure());
    }
    const ProcessCounts end = CountNow();
    Report("50 sheet cycles", start, warm, end);
    EXPECT_EQ(end.probedHandles, warm.probedHandles);
    EXPECT_EQ(end.windows, warm.windows);
    EXPECT_LE(end.gdiObjectsOfPages() - warm.gdiObjectsOfPages(), kLateCachedGdiObjects);
    session.plugin().ReleasePlugin();
    EXPECT_EQ(session.plugin().CanUnloadNow(), S_OK);
    EXPECT_EQ(session.plugin().helper().references(), 1) << "the object released the driver's helper";
}

}  // namespace
