// The plug-in module as a driver's user interface meets it: class factory,
// object, private devmode, resources.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "iat_hook.h"
#include "plugin_loader.h"
#include "resources/resource.h"

namespace {

const PluginModule& Plugin() { return PluginModule::Get(); }

// {00000000-1111-2222-3333-444444444444}: a class nobody serves.
const GUID kOtherClass = {0, 0x1111, 0x2222, {0x33, 0x33, 0x44, 0x44, 0x44, 0x44, 0x44, 0x44}};
void* const kUntouchedPointer = reinterpret_cast<void*>(0x1234);

TEST(ClassObject, OnlyThePluginClassIsServed) {
    void* out = kUntouchedPointer;
    EXPECT_EQ(Plugin().getClassObject(kOtherClass, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, kUntouchedPointer);

    out = nullptr;
    ASSERT_EQ(Plugin().getClassObject(CLSID_ZeltOemUI, IID_IUnknown, &out), S_OK);
    ASSERT_NE(out, nullptr);
    static_cast<IUnknown*>(out)->Release();

    out = kUntouchedPointer;
    EXPECT_EQ(Plugin().getClassObject(CLSID_ZeltOemUI, IID_IPrintOemUI, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Plugin().canUnloadNow(), S_OK);
}

TEST(ClassFactory, RefusesAggregationAndForeignInterfaces) {
    IClassFactory* factory = Plugin().Factory();
    ASSERT_NE(factory, nullptr);
    void* out = kUntouchedPointer;
    EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(&out), IID_IPrintOemUI, &out),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(out, kUntouchedPointer);

    out = kUntouchedPointer;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Plugin().canUnloadNow(), S_OK) << "the refused object is gone";

    void* same = nullptr;
    EXPECT_EQ(factory->QueryInterface(IID_IClassFactory, &same), S_OK);
    EXPECT_EQ(same, factory);
    static_cast<IUnknown*>(same)->Release();
    EXPECT_EQ(factory->QueryInterface(IID_IPrintOemUI, &same), E_NOINTERFACE);
    EXPECT_EQ(same, nullptr);
    EXPECT_EQ(factory->Release(), 0u);
}

TEST(ClassFactory, LockServerAndLiveObjectsKeepTheModule) {
    IClassFactory* factory = Plugin().Factory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(Plugin().canUnloadNow(), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(Plugin().canUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(Plugin().canUnloadNow(), S_OK);

    void* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemUI, &object), S_OK);
    factory->Release();
    EXPECT_EQ(Plugin().canUnloadNow(), S_FALSE);
    EXPECT_EQ(static_cast<IPrintOemUI*>(object)->Release(), 0u);
    EXPECT_EQ(Plugin().canUnloadNow(), S_OK);
}

TEST(OemUI, AnswersForItsOwnInterfacesOnly) {
    IPrintOemUI* ui = Plugin().CreateObject();
    ASSERT_NE(ui, nullptr);
    void* out = nullptr;
    EXPECT_EQ(ui->QueryInterface(IID_IUnknown, &out), S_OK);
    EXPECT_EQ(out, ui);
    ui->Release();
    EXPECT_EQ(ui->QueryInterface(IID_IPrintOemUI, &out), S_OK);
    ui->Release();
    out = kUntouchedPointer;
    EXPECT_EQ(ui->QueryInterface(IID_IPrintOemDriverUI, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(ui->AddRef(), 2u);
    EXPECT_EQ(ui->Release(), 1u);
    EXPECT_EQ(ui->Release(), 0u);
}

// A driver helper that counts what the plug-in does with it.
class FakeDriverHelper : public IPrintOemDriverUI {
public:
    explicit FakeDriverHelper(bool answers) : answers_(answers) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        ++queries;
        if (answers_ && (IsEqualIID(iid, IID_IPrintOemDriverUI) || IsEqualIID(iid, IID_IUnknown))) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    int queries = 0;
    ULONG references = 1;

private:
    bool answers_;
};

TEST(OemUI, HoldsTheDriverHelperOnceAndReleasesIt) {
    FakeDriverHelper helper(true);
    IPrintOemUI* ui = Plugin().CreateObject();
    ASSERT_NE(ui, nullptr);
    EXPECT_EQ(ui->PublishDriverInterface(&helper), S_OK);
    EXPECT_EQ(helper.queries, 1);
    EXPECT_EQ(helper.references, 2u);

    FakeDriverHelper second(true);
    EXPECT_EQ(ui->PublishDriverInterface(&second), S_OK);
    EXPECT_EQ(second.queries, 0) << "a second helper is neither asked nor kept";
    EXPECT_EQ(helper.references, 2u);

    ui->Release();
    EXPECT_EQ(helper.references, 1u) << "the object gives its reference back";
}

TEST(OemUI, RefusesAHelperWithoutTheDriverInterface) {
    FakeDriverHelper helper(false);
    IPrintOemUI* ui = Plugin().CreateObject();
    ASSERT_NE(ui, nullptr);
    EXPECT_EQ(ui->PublishDriverInterface(&helper), E_FAIL);
    EXPECT_EQ(ui->PublishDriverInterface(nullptr), E_FAIL);
    FakeDriverHelper good(true);
    EXPECT_EQ(ui->PublishDriverInterface(&good), S_OK) << "nothing was held after the refusal";
    ui->Release();
    EXPECT_EQ(good.references, 1u);
    EXPECT_EQ(helper.references, 1u);
}

// The module's heap, steered so that the next allocations fail.
using MallocFn = void*(__cdecl*)(size_t);
MallocFn g_realMalloc = nullptr;
bool g_heapExhausted = false;

void* __cdecl SteeredMalloc(size_t size) { return g_heapExhausted ? nullptr : g_realMalloc(size); }

TEST(OutOfMemory, ObjectsThatCannotBeMadeAreReported) {
    if (g_realMalloc == nullptr) {
        g_realMalloc = reinterpret_cast<MallocFn>(
            ReplaceImport(Plugin().module, "msvcrt.dll", "malloc", reinterpret_cast<void*>(SteeredMalloc)));
    }
    ASSERT_NE(g_realMalloc, nullptr);
    IClassFactory* factory = Plugin().Factory();
    ASSERT_NE(factory, nullptr);

    g_heapExhausted = true;
    void* out = kUntouchedPointer;
    const HRESULT classObject = Plugin().getClassObject(CLSID_ZeltOemUI, IID_IClassFactory, &out);
    const HRESULT instance = factory->CreateInstance(nullptr, IID_IPrintOemUI, &out);
    g_heapExhausted = false;

    EXPECT_EQ(classObject, E_OUTOFMEMORY);
    EXPECT_EQ(instance, E_OUTOFMEMORY);
    EXPECT_EQ(Plugin().canUnloadNow(), S_OK) << "no object was counted";
    factory->Release();
}

class ObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui = Plugin().CreateObject();
        ASSERT_NE(ui, nullptr);
        SetLastError(0);
    }
    void TearDown() override {
        if (ui != nullptr) ui->Release();
    }
    IPrintOemUI* ui = nullptr;
};

TEST_F(ObjectTest, GetInfoModesAndBuffers) {
    struct Case {
        DWORD mode;
        DWORD size;
        HRESULT hr;
        DWORD error;
        DWORD needed;
        DWORD value;
    };
    const DWORD kUntouched = 0xDEADBEEF;
    const Case cases[] = {
        {OEMGI_GETSIGNATURE, 4, S_OK, 0, 4, 0x5A454C54},  {OEMGI_GETVERSION, 4, S_OK, 0, 4, 1},
        {OEMGI_GETINTERFACEVERSION, 4, E_FAIL, 87, kUntouched, kUntouched},
        {OEMGI_GETSIGNATURE, 3, E_FAIL, 122, 4, kUntouched},
        {OEMGI_GETPUBLISHERINFO, 4, E_FAIL, 50, 0, kUntouched},
        {0, 4, E_FAIL, 87, kUntouched, kUntouched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        DWORD value = kUntouched;
        DWORD needed = kUntouched;
        SetLastError(0);
        EXPECT_EQ(ui->GetInfo(c.mode, &value, c.size, &needed), c.hr);
        EXPECT_EQ(GetLastError(), c.error);
        EXPECT_EQ(needed, c.needed);
        EXPECT_EQ(value, c.value);
    }
    SetLastError(0);
    DWORD value = 0;
    EXPECT_EQ(ui->GetInfo(OEMGI_GETSIGNATURE, &value, 4, nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), 87u);
}

TEST_F(ObjectTest, DevModeNeverWritesPastTwelveBytes) {
    struct Guarded {
        OEM_DMEXTRAHEADER header;
        DWORD guard;
    };
    const DWORD kForeign = 0x41424344;
    struct Case {
        DWORD mode;
        OEM_DMEXTRAHEADER in;
        OEM_DMEXTRAHEADER out;
        OEM_DMEXTRAHEADER expected;
    };
    const Case cases[] = {
        {OEMDM_DEFAULT, {0, 0, 0}, {7, 7, 7}, {12, 0x5A454C54, 1}},
        {OEMDM_CONVERT, {12, 0x5A454C54, 1}, {12, 0x5A454C54, 7}, {12, 0x5A454C54, 1}},
        {OEMDM_CONVERT, {12, kForeign, 9}, {12, kForeign, 5}, {12, kForeign, 1}},
        {OEMDM_MERGE, {12, kForeign, 9}, {12, kForeign, 5}, {12, 0x5A454C54, 1}},
        {OEMDM_CONVERT, {0xFFFFFFFF, kForeign, 9}, {0xFFFFFFFF, kForeign, 5}, {12, kForeign, 1}},
        {OEMDM_CONVERT, {12, kForeign, 9}, {0x7FFFFFFF, 0x5A454C54, 5}, {12, 0x5A454C54, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Guarded in{c.in, 0xA5A5A5A5};
        Guarded out{c.out, 0x5A5A5A5A};
        OEMDMPARAM params = {};
        params.cbSize = sizeof params;
        params.pOEMDMIn = &in.header;
        params.pOEMDMOut = &out.header;
        EXPECT_EQ(ui->DevMode(c.mode, &params), S_OK);
        EXPECT_EQ(std::memcmp(&out.header, &c.expected, 12), 0)
            << out.header.dwSize << " " << std::hex << out.header.dwSignature << " " << out.header.dwVersion;
        EXPECT_EQ(out.guard, 0x5A5A5A5Au);
    }

    OEMDMPARAM params = {};
    EXPECT_EQ(ui->DevMode(OEMDM_SIZE, &params), S_OK);
    EXPECT_EQ(params.cbBufSize, 12u);
    for (DWORD mode : {0ul, 5ul}) {
        SetLastError(0);
        EXPECT_EQ(ui->DevMode(mode, &params), E_FAIL);
        EXPECT_EQ(GetLastError(), 87u);
    }
    SetLastError(0);
    EXPECT_EQ(ui->DevMode(OEMDM_DEFAULT, nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), 87u);
}

TEST_F(ObjectTest, QueryColorProfileNamesTheProfileFile) {
    BYTE buffer[64];
    std::memset(buffer, 0xCC, sizeof buffer);
    ULONG size = 31;
    FLONG flags = 0;
    EXPECT_EQ(ui->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 0, buffer, &size, &flags), E_FAIL);
    EXPECT_EQ(GetLastError(), 122u);
    EXPECT_EQ(size, 32u);

    size = 32;
    EXPECT_EQ(ui->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 0, buffer, &size, &flags), S_OK);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(buffer), L"OEMPROFILE.icm");
    EXPECT_EQ(size, 32u);
    EXPECT_EQ(flags, 2u);
    EXPECT_EQ(buffer[30], 0xCC);

    size = 40;
    SetLastError(0);
    EXPECT_EQ(ui->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 1, buffer, &size, &flags), E_FAIL);
    EXPECT_EQ(size, 40u);
    EXPECT_EQ(GetLastError(), 0u);

    size = 100;
    EXPECT_EQ(ui->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 0, nullptr, &size, &flags), E_FAIL);
    EXPECT_EQ(size, 32u);
}

TEST_F(ObjectTest, OtherMethodsAreNotImplementedAndSetNoError) {
    SetLastError(4321);
    DWORD result = 0;
    EXPECT_EQ(ui->CommonUIProp(1, nullptr), E_NOTIMPL);
    EXPECT_EQ(ui->DocumentPropertySheets(nullptr, 0), E_NOTIMPL);
    EXPECT_EQ(ui->DevQueryPrintEx(nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(ui->DeviceCapabilities(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, 0, &result), E_NOTIMPL);
    EXPECT_EQ(ui->UpgradePrinter(1, nullptr), E_NOTIMPL);
    EXPECT_EQ(ui->PrinterEvent(nullptr, 0, 0, 0), E_NOTIMPL);
    EXPECT_EQ(ui->DriverEvent(0, 0, nullptr, 0), E_NOTIMPL);
    EXPECT_EQ(ui->FontInstallerDlgProc(nullptr, 0, 0, 0), E_NOTIMPL);
    EXPECT_EQ(ui->UpdateExternalFonts(nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(GetLastError(), 4321u);
    EXPECT_EQ(result, 0u);
}

// The manifest that lets the pages use version 6 of the common controls.
TEST(Resources, ManifestVersionAndTemplates) {
    HMODULE module = Plugin().module;
    HRSRC manifest = FindResourceExW(module, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(2), 1033);
    ASSERT_NE(manifest, nullptr);
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
    const std::string xml(text, SizeofResource(module, manifest));
#if defined(_WIN64)
    const char* architecture = "processorArchitecture=\"amd64\"";
#else
    const char* architecture = "processorArchitecture=\"x86\"";
#endif
    // Both identities, the module's and the common controls', name its own architecture.
    size_t identities = 0;
    for (size_t at = xml.find("processorArchitecture="); at != std::string::npos;
         at = xml.find("processorArchitecture=", at + 1), ++identities) {
        EXPECT_EQ(xml.compare(at, std::strlen(architecture), architecture), 0) << xml.substr(at, 32);
    }
    EXPECT_EQ(identities, 2u);
    for (const char* expected :
         {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"", architecture,
          "publicKeyToken=\"6595b64144ccf1df\"", "language=\"*\"", "version=\"5.1.0.0\"", "type=\"win32\""}) {
        EXPECT_NE(xml.find(expected), std::string::npos) << expected;
    }

    wchar_t path[MAX_PATH];
    GetModuleFileNameW(module, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD versionSize = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(versionSize, 0u);
    std::vector<BYTE> version(versionSize);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, versionSize, version.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    for (WORD language : {1033, 1041}) {
        for (int id = IDD_COPY_A57; id <= IDD_RASTER_C252; ++id) {
            if (id == IDD_SAVE_AS) continue;  // the Save As dialog is not a page
            EXPECT_NE(FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(id), language), nullptr)
                << "template " << id << " language " << language;
        }
    }
}

// A string of one language, read from its string table block.
std::wstring StringIn(HMODULE module, int id, LANGID language) {
    HRSRC block = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    if (block == nullptr) return L"";
    const auto* entry = static_cast<const WCHAR*>(LockResource(LoadResource(module, block)));
    for (int i = 0; i < id % 16; ++i) entry += 1 + *entry;
    return std::wstring(entry + 1, *entry);
}

// Strings 1 to 52 (no 17) in both languages; the Japanese table differs only
// in its nine messages.
TEST(Resources, StringTableInBothLanguages) {
    HMODULE module = Plugin().module;
    const int japaneseMessages[] = {IDS_SAVE_AS_COMPLETED,  IDS_SAVE_AS_FAILED,     IDS_NAME_TAKEN,
                                    IDS_NO_CURRENT_JOURNAL, IDS_DRAWER_PULSE_RANGE, IDS_RETRACT_TIMEOUT_RANGE,
                                    IDS_BUZZER_PULSE_RANGE, IDS_NOT_SAVED,          IDS_NOT_SENT};
    for (int id = 1; id <= 52; ++id) {
        const std::wstring texts[2] = {StringIn(module, id, 1033), StringIn(module, id, 1041)};
        if (id == 17) {
            EXPECT_TRUE(texts[0].empty());
            continue;
        }
        EXPECT_FALSE(texts[0].empty()) << id;
        const bool translated = std::find(std::begin(japaneseMessages), std::end(japaneseMessages), id) !=
                                std::end(japaneseMessages);
        EXPECT_EQ(texts[0] != texts[1], translated) << "string " << id;
    }
    // Range messages keep their two spaces; the longest fits a 200-character buffer.
    for (int id : {IDS_DRAWER_PULSE_RANGE, IDS_RETRACT_TIMEOUT_RANGE, IDS_BUZZER_PULSE_RANGE}) {
        EXPECT_NE(StringIn(module, id, 1033).find(L".  Please"), std::wstring::npos) << id;
    }
    EXPECT_EQ(StringIn(module, IDS_RETRACT_TIMEOUT_RANGE, 1033).size(), 106u);
}

}  // namespace
