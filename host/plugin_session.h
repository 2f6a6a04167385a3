// The plug-in as the printer driver's user interface holds it: the module,
// its one IPrintOemUI object, the driver's helper object handed to it, the
// devmode it sized and defaulted, and the printer it works on.
#pragma once

#include <string>
#include <vector>

#include "frame/oem_interfaces.h"
#include "high_memory.h"

namespace zelt::host {

// The driver's helper interface as the plug-in sees it: it only holds it.
class DriverHelper final : public IPrintOemDriverUI {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // The host's own reference included.
    LONG references() const { return references_; }

private:
    volatile LONG references_ = 1;
};

class PluginSession {
public:
    PluginSession() = default;
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;
    ~PluginSession();

    // Loads the module, creates the object, publishes the helper and asks
    // GetInfo and DevMode as the driver does. False with a message on failure.
    bool Load(const std::wstring& dllPath, std::wstring& error);

    // Opens the printer and fills the OEMUIPSPARAM the pages receive. It, the
    // devmode and the printer name it points to lie in high memory.
    bool AttachPrinter(const std::wstring& printerName, std::wstring& error);

    IPrintOemUI* plugin() const { return plugin_; }
    HMODULE module() const { return module_; }
    HANDLE printer() const { return printer_; }
    OEMUIPSPARAM* sheetParams() { return sheetParams_; }
    const DriverHelper& helper() const { return helper_; }
    DWORD signature() const { return signature_; }
    DWORD version() const { return version_; }
    DWORD privateDevmodeSize() const { return privateDevmodeSize_; }
    const OEM_DMEXTRAHEADER* privateDevmodeHeader() const;

    // Releases the plug-in object; returns what its Release returned.
    ULONG ReleasePlugin();
    // DllCanUnloadNow of the module (E_FAIL when it lacks the export).
    HRESULT CanUnloadNow() const;

private:
    bool AskInfo(std::wstring& error);
    bool BuildDevmode(std::wstring& error);

    HMODULE module_ = nullptr;
    IPrintOemUI* plugin_ = nullptr;
    DriverHelper helper_;
    DWORD signature_ = 0;
    DWORD version_ = 0;
    DWORD privateDevmodeSize_ = 0;
    // What the plug-in is handed: the DevMode parameters, the devmode (public
    // DEVMODEW followed by the private block), the page parameters, the name.
    HighArena driverMemory_{1 << 20};
    BYTE* devmode_ = nullptr;
    HANDLE printer_ = nullptr;
    OEMUIPSPARAM* sheetParams_ = nullptr;
};

// "ZeltRasUI.dll" beside the running program.
std::wstring DefaultPluginPath();

}  // namespace zelt::host
