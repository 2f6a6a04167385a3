#include "page_setup.h"

#include <commctrl.h>

#include <cstdlib>
#include <cwchar>

#include "module_state.h"
#include "page_plan.h"
#include "page_procedures.h"
#include "page_state.h"
#include "spool/printer_queries.h"

namespace zelt {
namespace {

HANDLE g_activationContext = INVALID_HANDLE_VALUE;

constexpr DWORD kModulePathFirstLength = 260;
constexpr int kModulePathAttempts = 10;
constexpr WORD kManifestResourceId = 2;

DLGPROC DialogProcedureFor(TemplateId page) {
    switch (page) {
        case kLogo:
            return LogoPageProc;
        case kCopyA57:
        case kCopyStandard:
        case kCopyA59:
        case kCopyB18:
        case kCopyC252:
            return CopyPageProcedure(page);
        case kZoom:
            return ZoomPageProc;
        case kEtb:
            return EtbPageProc;
        default:
            return RasterPageProcedure(page);
    }
}

bool SystemUsesXpStyling() {
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
    bool known = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)) != FALSE;
    if (!known) {
        version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        known = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)) != FALSE;
    }
    return UsesXpStyling(known, version.dwMajorVersion, version.dwMinorVersion);
}

// The module's full path in a malloc'd buffer, or null. The buffer doubles
// until the name fits; a name still cut after the last attempt is refused
// rather than used truncated.
wchar_t* ModulePath() {
    DWORD capacity = kModulePathFirstLength;
    for (int attempt = 0; attempt < kModulePathAttempts; ++attempt, capacity *= 2) {
        auto* path = static_cast<wchar_t*>(std::malloc(capacity * sizeof(wchar_t)));
        if (path == nullptr) return nullptr;
        const DWORD length = GetModuleFileNameW(ModuleHandle(), path, capacity);
        if (length == 0) {
            std::free(path);
            return nullptr;
        }
        if (length < capacity) return path;
        std::free(path);
    }
    return nullptr;
}

// The context made from the module's own manifest, created once (sheets on
// two threads may ask at the same moment) and kept for the module's life.
// INVALID_HANDLE_VALUE when it cannot be made (yet).
HANDLE ActivationContext() {
    ModuleLock lock;
    if (g_activationContext != INVALID_HANDLE_VALUE) return g_activationContext;
    wchar_t* path = ModulePath();
    if (path == nullptr) return INVALID_HANDLE_VALUE;

    ACTCTXW description = {};
    description.cbSize = sizeof(ACTCTXW);
    description.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    description.lpSource = path;
    description.lpResourceName = MAKEINTRESOURCEW(kManifestResourceId);

    HANDLE context = INVALID_HANDLE_VALUE;
    // Looked up at run time: systems before version 5.1 have no such function.
    if (HMODULE kernel = LoadLibraryW(L"kernel32.dll")) {
        using CreateActCtxFn = HANDLE(WINAPI*)(const ACTCTXW*);
        auto create = reinterpret_cast<CreateActCtxFn>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "CreateActCtxW")));
        if (create != nullptr) context = create(&description);
        FreeLibrary(kernel);
    }
    std::free(path);
    g_activationContext = context;
    return context;
}

HANDLE PrinterOf(const PROPSHEETUI_INFO& info) {
    const auto* params = reinterpret_cast<const OEMUIPSPARAM*>(info.lParamInit);
    return params != nullptr ? params->hPrinter : nullptr;
}

LONG_PTR AddPages(const PROPSHEETUI_INFO& info, const PagePlan& plan) {
    const bool xpStyling = SystemUsesXpStyling();
    LONG_PTR lastResult = 0;
    HPROPSHEETPAGE pages[kPageSlotCount] = {};
    for (int i = 0; i < plan.count; ++i) {
        PROPSHEETPAGEW page = {};
        page.dwSize = sizeof(PROPSHEETPAGEW);
        page.dwFlags = PSP_HASHELP;
        page.hInstance = ModuleHandle();
        page.pszTemplate = MAKEINTRESOURCEW(plan.templates[i]);
        page.pfnDlgProc = DialogProcedureFor(plan.templates[i]);
        page.lParam = info.lParamInit;
        if (xpStyling) {
            page.hActCtx = ActivationContext();
            if (page.hActCtx != nullptr && page.hActCtx != INVALID_HANDLE_VALUE) page.dwFlags |= PSP_USEFUSIONCONTEXT;
        }
        HPROPSHEETPAGE handle = CreatePropertySheetPageW(&page);
        pages[plan.slots[i]] = handle;
        // Known before the host has the page: a sheet already shown may
        // create it at once.
        RememberSheetPages(info.hComPropSheet, pages);
        lastResult = info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE,
                                          reinterpret_cast<LPARAM>(handle), 0);
    }
    return lastResult;
}

}  // namespace

HRESULT AnswerDevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
    if (info == nullptr || info->Version != kSheetInfoVersion) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return E_FAIL;
    }
    LONG_PTR result;
    switch (info->Reason) {
        case kReasonInit:
            // Only this reason uses the model, so only it asks the spooler:
            // each query costs the opening sheet about half a millisecond.
            if (info->pfnComPropSheet == nullptr) {
                result = 0;  // no way to hand pages to the host
            } else {
                const DriverDataFile driver(PrinterOf(*info));
                result = AddPages(*info, driver.path() != nullptr ? PlanPages(ProfileForDataFile(driver.path()))
                                                                  : PlanPagesWithoutModel());
            }
            break;
        case kReasonGetInfoHeader:
            if (auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam)) {
                header->pTitle = const_cast<LPWSTR>(L"OEM UI Page");
            }
            result = FixedReasonResult(info->Reason, lParam);
            break;
        case kReasonDestroy:
            ForgetSheetPages(info->hComPropSheet);
            result = FixedReasonResult(info->Reason, lParam);
            break;
        case kReasonSetResult: {
            const auto* setResult = reinterpret_cast<const SETRESULT_INFO*>(lParam);
            result = setResult != nullptr ? setResult->Result : 0;
            break;
        }
        default:
            result = FixedReasonResult(info->Reason, lParam);
            break;
    }
    info->Result = result;
    return S_OK;
}

}  // namespace zelt
