#include "plugin_session.h"

#include "host_error.h"

namespace zelt::host {
namespace {

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();

std::wstring HresultText(HRESULT result) {
    wchar_t text[16];
    wsprintfW(text, L"0x%08lX", static_cast<unsigned long>(result));
    return text;
}

// The private devmode must at least hold the plug-in header; a size beyond
// this is not a header-only block and not something a driver would append.
constexpr DWORD kLargestPrivateDevmode = 0x10000;

}  // namespace

HRESULT STDMETHODCALLTYPE DriverHelper::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPrintOemDriverUI)) {
        *object = static_cast<IPrintOemDriverUI*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DriverHelper::AddRef() { return InterlockedIncrement(&references_); }

// Owned by the session, never freed through its count.
ULONG STDMETHODCALLTYPE DriverHelper::Release() { return InterlockedDecrement(&references_); }

PluginSession::~PluginSession() {
    if (printer_) ClosePrinter(printer_);
    ReleasePlugin();
    if (module_ && CanUnloadNow() == S_OK) FreeLibrary(module_);
}

bool PluginSession::Load(const std::wstring& dllPath, std::wstring& error) {
    module_ = LoadLibraryW(dllPath.c_str());
    if (!module_) {
        error = Win32Failure(L"loading the plug-in " + dllPath);
        return false;
    }
    auto getClassObject =
        reinterpret_cast<GetClassObjectFunction>(reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    if (!getClassObject) {
        error = dllPath + L" does not export DllGetClassObject";
        return false;
    }
    IClassFactory* factory = nullptr;
    HRESULT result = getClassObject(CLSID_ZeltOemUI, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(result) || !factory) {
        error = L"DllGetClassObject failed: " + HresultText(result);
        return false;
    }
    result = factory->CreateInstance(nullptr, IID_IPrintOemUI, reinterpret_cast<void**>(&plugin_));
    factory->Release();
    if (FAILED(result) || !plugin_) {
        plugin_ = nullptr;
        error = L"creating the IPrintOemUI object failed: " + HresultText(result);
        return false;
    }
    result = plugin_->PublishDriverInterface(static_cast<IPrintOemDriverUI*>(&helper_));
    if (FAILED(result)) {
        error = L"PublishDriverInterface failed: " + HresultText(result);
        return false;
    }
    return AskInfo(error) && BuildDevmode(error);
}

bool PluginSession::AskInfo(std::wstring& error) {
    DWORD needed = 0;
    HRESULT result = plugin_->GetInfo(OEMGI_GETSIGNATURE, &signature_, sizeof signature_, &needed);
    if (FAILED(result)) {
        error = L"GetInfo (signature) failed: " + HresultText(result);
        return false;
    }
    result = plugin_->GetInfo(OEMGI_GETVERSION, &version_, sizeof version_, &needed);
    if (FAILED(result)) {
        error = L"GetInfo (version) failed: " + HresultText(result);
        return false;
    }
    return true;
}

bool PluginSession::BuildDevmode(std::wstring& error) {
    auto* dmParam = driverMemory_.New<OEMDMPARAM>();
    if (!dmParam) {
        error = L"no memory for the DevMode parameters";
        return false;
    }
    OEMDMPARAM& param = *dmParam;
    param.cbSize = sizeof param;
    param.pdriverobj = &helper_;
    param.hModule = module_;
    HRESULT result = plugin_->DevMode(OEMDM_SIZE, &param);
    if (FAILED(result)) {
        error = L"DevMode (size) failed: " + HresultText(result);
        return false;
    }
    if (param.cbBufSize < sizeof(OEM_DMEXTRAHEADER) || param.cbBufSize > kLargestPrivateDevmode) {
        error = L"DevMode (size) reported " + std::to_wstring(param.cbBufSize) +
                L" bytes; a private devmode holds at least its 12-byte header";
        return false;
    }
    privateDevmodeSize_ = param.cbBufSize;
    devmode_ = static_cast<BYTE*>(driverMemory_.Allocate(sizeof(DEVMODEW) + privateDevmodeSize_));
    if (!devmode_) {
        error = L"no memory for the devmode";
        return false;
    }
    auto* publicDevmode = reinterpret_cast<DEVMODEW*>(devmode_);
    publicDevmode->dmSpecVersion = DM_SPECVERSION;
    publicDevmode->dmSize = sizeof(DEVMODEW);
    publicDevmode->dmDriverExtra = static_cast<WORD>(privateDevmodeSize_);
    param.pPublicDMIn = publicDevmode;
    param.pPublicDMOut = publicDevmode;
    param.pOEMDMOut = devmode_ + sizeof(DEVMODEW);
    param.cbBufSize = privateDevmodeSize_;
    result = plugin_->DevMode(OEMDM_DEFAULT, &param);
    if (FAILED(result)) {
        error = L"DevMode (default) failed: " + HresultText(result);
        return false;
    }
    return true;
}

const OEM_DMEXTRAHEADER* PluginSession::privateDevmodeHeader() const {
    if (!devmode_ || privateDevmodeSize_ < sizeof(OEM_DMEXTRAHEADER)) return nullptr;
    return reinterpret_cast<const OEM_DMEXTRAHEADER*>(devmode_ + sizeof(DEVMODEW));
}

bool PluginSession::AttachPrinter(const std::wstring& printerName, std::wstring& error) {
    if (!plugin_) {
        error = L"no plug-in loaded";
        return false;
    }
    sheetParams_ = driverMemory_.New<OEMUIPSPARAM>();
    auto* name = static_cast<wchar_t*>(driverMemory_.Allocate((printerName.size() + 1) * sizeof(wchar_t)));
    if (!sheetParams_ || !name) {
        error = L"no memory for the page parameters";
        return false;
    }
    printerName.copy(name, printerName.size());
    // Device settings are written, so the printer is opened as its administrator.
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(name, &printer_, &access)) {
        printer_ = nullptr;
        error = Win32Failure(L"OpenPrinterW for " + printerName);
        return false;
    }
    sheetParams_->cbSize = sizeof *sheetParams_;
    sheetParams_->poemuiobj = &helper_;
    sheetParams_->hPrinter = printer_;
    sheetParams_->pPrinterName = name;
    sheetParams_->hModule = module_;
    sheetParams_->hOEMHeap = GetProcessHeap();
    sheetParams_->pPublicDM = reinterpret_cast<DEVMODEW*>(devmode_);
    sheetParams_->pOEMDM = devmode_ + sizeof(DEVMODEW);
    return true;
}

ULONG PluginSession::ReleasePlugin() {
    if (!plugin_) return 0;
    const ULONG remaining = plugin_->Release();
    plugin_ = nullptr;
    return remaining;
}

HRESULT PluginSession::CanUnloadNow() const {
    auto canUnloadNow =
        module_ ? reinterpret_cast<CanUnloadNowFunction>(reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow"))) : nullptr;
    return canUnloadNow ? canUnloadNow() : E_FAIL;
}

std::wstring DefaultPluginPath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return L"ZeltRasUI.dll";
        if (length < path.size()) break;
        path.resize(path.size() * 2);
    }
    std::wstring folder(path.data());
    folder.erase(folder.find_last_of(L'\\') + 1);
    return folder + L"ZeltRasUI.dll";
}

}  // namespace zelt::host
