// Printer driver plug-in interfaces and structures that the MinGW-w64 headers
// do not ship, in the layouts of the architecture built for.
#pragma once

#include <cstddef>
#include <windows.h>
#include <objbase.h>
#include <winspool.h>
#include <compstui.h>

// {C6A7A9D0-774C-11D1-947F-00A0C90640B8}
inline const GUID IID_IPrintOemUI = {0xC6A7A9D0, 0x774C, 0x11D1, {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
// {92B05D50-78BC-11D1-9480-00A0C90640B8}
inline const GUID IID_IPrintOemDriverUI = {0x92B05D50, 0x78BC, 0x11D1, {0x94, 0x80, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
// {ABCE80D7-9F46-11D1-882A-00C04FB961EC}
inline const GUID CLSID_ZeltOemUI = {0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};

enum : DWORD {
    OEMGI_GETSIGNATURE = 1,
    OEMGI_GETINTERFACEVERSION = 2,
    OEMGI_GETVERSION = 3,
    OEMGI_GETPUBLISHERINFO = 4,
};

enum : DWORD {
    OEMDM_SIZE = 1,
    OEMDM_DEFAULT = 2,
    OEMDM_CONVERT = 3,
    OEMDM_MERGE = 4,
};

enum : ULONG {
    QCP_DEVICEPROFILE = 0,
    QCP_PROFILEMEMORY = 1,
    QCP_PROFILEDISK = 2,
};

struct OEM_DMEXTRAHEADER {
    DWORD dwSize;
    DWORD dwSignature;
    DWORD dwVersion;
};

struct OEMDMPARAM {
    DWORD cbSize;
    PVOID pdriverobj;
    HANDLE hPrinter;
    HANDLE hModule;
    PDEVMODEW pPublicDMIn;
    PDEVMODEW pPublicDMOut;
    PVOID pOEMDMIn;
    PVOID pOEMDMOut;
    DWORD cbBufSize;
};

struct OEMUIPSPARAM {
    DWORD cbSize;
    PVOID poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    PDEVMODEW pPublicDM;
    PVOID pOEMDM;
    PVOID pOEMUserData;
    DWORD dwFlags;
    PVOID pOemEntry;
};

// The driver hands these over in its own architecture's layout.
static_assert(sizeof(OEM_DMEXTRAHEADER) == 12, "private devmode header is 12 bytes");
#if defined(_WIN64)
static_assert(sizeof(OEMDMPARAM) == 72 && offsetof(OEMDMPARAM, cbBufSize) == 64, "OEMDMPARAM layout");
static_assert(sizeof(OEMUIPSPARAM) == 88 && offsetof(OEMUIPSPARAM, hPrinter) == 16 &&
                  offsetof(OEMUIPSPARAM, dwFlags) == 72,
              "OEMUIPSPARAM layout");
#else
static_assert(sizeof(OEMDMPARAM) == 36 && offsetof(OEMDMPARAM, cbBufSize) == 32, "OEMDMPARAM layout");
static_assert(sizeof(OEMUIPSPARAM) == 44 && offsetof(OEMUIPSPARAM, hPrinter) == 8 &&
                  offsetof(OEMUIPSPARAM, dwFlags) == 36,
              "OEMUIPSPARAM layout");
#endif

// The driver's helper interface: received and held, never called, so its own
// methods are left opaque.
struct IPrintOemDriverUI : public IUnknown {};

struct IPrintOemUI : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize, PDWORD pcbNeeded) = 0;
    virtual HRESULT STDMETHODCALLTYPE DevMode(DWORD dwMode, OEMDMPARAM* pOemDMParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* pIUnknown) = 0;
    virtual HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD dwMode, void* pOemCUIPParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PROPSHEETUI_INFO* pPSUIInfo, LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE DevicePropertySheets(PROPSHEETUI_INFO* pPSUIInfo, LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE DevQueryPrintEx(void* poemuiobj, void* pDQPInfo, PDEVMODEW pPublicDM, PVOID pOEMDM) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeviceCapabilities(void* poemuiobj, HANDLE hPrinter, PWSTR pDeviceName,
                                                         WORD wCapability, PVOID pOutput, PDEVMODEW pPublicDM,
                                                         PVOID pOEMDM, DWORD dwOld, DWORD* dwResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD dwLevel, PBYTE pDriverUpgradeInfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR pPrinterName, INT iDriverEvent, DWORD dwFlags, LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE DriverEvent(DWORD dwDriverEvent, DWORD dwLevel, LPBYTE pDriverInfo, LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE hPrinter, void* poemuiobj, PDEVMODEW pPublicDM,
                                                        PVOID pOEMDM, ULONG ulQueryMode, VOID* pvProfileData,
                                                        ULONG* pcbProfileData, FLONG* pflProfileData) = 0;
    virtual HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND hWnd, UINT usMsg, WPARAM wParam, LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE hPrinter, HANDLE hHeap, PWSTR pwstrCartridges) = 0;
};
