#include "oem_ui.h"

#include <cstdint>

#include "com_allocation.h"
#include "devmode_header.h"
#include "module_state.h"
#include "oem_info.h"
#include "page_setup.h"

namespace zelt {
namespace {

HRESULT Finish(RuleResult result) {
    if (result.lastError != 0) SetLastError(result.lastError);
    return result.hr;
}

}  // namespace

OemUI::OemUI() { ObjectCreated(); }

OemUI::~OemUI() {
    if (driverHelper_ != nullptr) {
        driverHelper_->Release();
        driverHelper_ = nullptr;
    }
    ObjectDestroyed();
}

HRESULT STDMETHODCALLTYPE OemUI::QueryInterface(REFIID interfaceId, void** out) {
    if (out == nullptr) return E_POINTER;
    if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IPrintOemUI)) {
        *out = static_cast<IPrintOemUI*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE OemUI::AddRef() { return InterlockedIncrement(&references_); }

ULONG STDMETHODCALLTYPE OemUI::Release() {
    const LONG remaining = InterlockedDecrement(&references_);
    if (remaining == 0) DestroyComObject(this);
    return remaining;
}

HRESULT STDMETHODCALLTYPE OemUI::GetInfo(DWORD mode, PVOID buffer, DWORD bufferSize, PDWORD bytesNeeded) {
    std::uint32_t needed = bytesNeeded != nullptr ? *bytesNeeded : 0;
    const RuleResult result = GetInfoRule(mode, buffer, bufferSize, bytesNeeded != nullptr ? &needed : nullptr);
    if (bytesNeeded != nullptr) *bytesNeeded = needed;
    return Finish(result);
}

HRESULT STDMETHODCALLTYPE OemUI::DevMode(DWORD mode, OEMDMPARAM* params) {
    if (params == nullptr) return Finish(DevModeRule(mode, nullptr));
    std::uint32_t bufSize = params->cbBufSize;
    const DevModeBlocks blocks{params->pOEMDMIn, params->pOEMDMOut, &bufSize};
    const RuleResult result = DevModeRule(mode, &blocks);
    params->cbBufSize = bufSize;
    return Finish(result);
}

HRESULT STDMETHODCALLTYPE OemUI::PublishDriverInterface(IUnknown* driver) {
    if (driverHelper_ != nullptr) return S_OK;
    if (driver == nullptr) return E_FAIL;
    void* helper = nullptr;
    if (FAILED(driver->QueryInterface(IID_IPrintOemDriverUI, &helper))) {
        driverHelper_ = nullptr;
        return E_FAIL;
    }
    driverHelper_ = static_cast<IPrintOemDriverUI*>(helper);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OemUI::DevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
    return AnswerDevicePropertySheets(info, lParam);
}

HRESULT STDMETHODCALLTYPE OemUI::QueryColorProfile(HANDLE, void*, PDEVMODEW, PVOID, ULONG queryMode,
                                                   VOID* profileData, ULONG* profileSize, FLONG* profileFlags) {
    std::uint32_t size = profileSize != nullptr ? *profileSize : 0;
    std::uint32_t flags = profileFlags != nullptr ? *profileFlags : 0;
    const RuleResult result = QueryColorProfileRule(queryMode, profileData, profileSize != nullptr ? &size : nullptr,
                                                    profileFlags != nullptr ? &flags : nullptr);
    if (profileSize != nullptr) *profileSize = size;
    if (profileFlags != nullptr) *profileFlags = flags;
    return Finish(result);
}

// The driver's other requests are not the plug-in's business.
HRESULT STDMETHODCALLTYPE OemUI::CommonUIProp(DWORD, void*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OemUI::DocumentPropertySheets(PROPSHEETUI_INFO*, LPARAM) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OemUI::DevQueryPrintEx(void*, void*, PDEVMODEW, PVOID) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OemUI::DeviceCapabilities(void*, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW, PVOID, DWORD,
                                                    DWORD*) {
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE OemUI::UpgradePrinter(DWORD, PBYTE) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OemUI::PrinterEvent(PWSTR, INT, DWORD, LPARAM) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OemUI::DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OemUI::FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OemUI::UpdateExternalFonts(HANDLE, HANDLE, PWSTR) { return E_NOTIMPL; }

}  // namespace zelt
