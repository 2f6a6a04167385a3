#pragma once

#include "oem_interfaces.h"

namespace zelt {

// The plug-in object the driver's user interface creates. It holds the
// driver's helper interface and nothing else: the pages get their printer
// from the parameter block the sheet hands them.
class OemUI final : public IPrintOemUI {
public:
    OemUI();
    ~OemUI();
    OemUI(const OemUI&) = delete;
    OemUI& operator=(const OemUI&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetInfo(DWORD mode, PVOID buffer, DWORD bufferSize, PDWORD bytesNeeded) override;
    HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, OEMDMPARAM* params) override;
    HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* driver) override;
    HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD, void*) override;
    HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PROPSHEETUI_INFO*, LPARAM) override;
    HRESULT STDMETHODCALLTYPE DevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) override;
    HRESULT STDMETHODCALLTYPE DevQueryPrintEx(void*, void*, PDEVMODEW, PVOID) override;
    HRESULT STDMETHODCALLTYPE DeviceCapabilities(void*, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW, PVOID, DWORD,
                                                 DWORD*) override;
    HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD, PBYTE) override;
    HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR, INT, DWORD, LPARAM) override;
    HRESULT STDMETHODCALLTYPE DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) override;
    HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE, void*, PDEVMODEW, PVOID, ULONG queryMode, VOID* profileData,
                                                ULONG* profileSize, FLONG* profileFlags) override;
    HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) override;
    HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE, HANDLE, PWSTR) override;

private:
    volatile LONG references_ = 1;
    IPrintOemDriverUI* driverHelper_ = nullptr;
};

}  // namespace zelt
