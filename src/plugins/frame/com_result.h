// HRESULT and last-error codes the plug-in returns, as plain numbers so the
// rules that produce them build and run without the Windows headers.
#pragma once

#include <cstdint>

namespace zelt {

using HResult = std::int32_t;

constexpr HResult kSOk = 0;
constexpr HResult kSFalse = 1;
constexpr HResult kENotImpl = static_cast<HResult>(0x80004001u);
constexpr HResult kENoInterface = static_cast<HResult>(0x80004002u);
constexpr HResult kEFail = static_cast<HResult>(0x80004005u);
constexpr HResult kEOutOfMemory = static_cast<HResult>(0x8007000Eu);
constexpr HResult kClassENoAggregation = static_cast<HResult>(0x80040110u);
constexpr HResult kClassEClassNotAvailable = static_cast<HResult>(0x80040111u);

constexpr std::uint32_t kErrorInvalidParameter = 87;
constexpr std::uint32_t kErrorInsufficientBuffer = 122;
constexpr std::uint32_t kErrorNotSupported = 50;

// The plug-in's signature "ZELT" (first letter in the top byte) and version.
constexpr std::uint32_t kPluginSignature = 0x5A454C54u;
constexpr std::uint32_t kPluginVersion = 1;

// What a rule decided: the HRESULT, and the last-error code to set before
// returning it (none when lastError is 0).
struct RuleResult {
    HResult hr;
    std::uint32_t lastError;
};

}  // namespace zelt
