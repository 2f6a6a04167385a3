// GetInfo and QueryColorProfile of the plug-in object: the answers depend only
// on the arguments, so they live here apart from COM.
#pragma once

#include <cstdint>

#include "com_result.h"

namespace zelt {

// GetInfo(mode, buffer, size, needed). `buffer` receives one 32-bit value.
RuleResult GetInfoRule(std::uint32_t mode, void* buffer, std::uint32_t bufferSize, std::uint32_t* bytesNeeded);

// Size in bytes reported for the device profile name, in every case.
constexpr std::uint32_t kProfileBufferSize = 32;

// QueryColorProfile(query mode, buffer, in/out size, out flags): names the
// device profile "OEMPROFILE.icm" as a UTF-16 file name.
RuleResult QueryColorProfileRule(std::uint32_t queryMode, void* profileData, std::uint32_t* profileSize,
                                 std::uint32_t* profileFlags);

}  // namespace zelt
