#include "oem_info.h"

#include <cstring>

namespace zelt {
namespace {

constexpr std::uint32_t kGetSignature = 1;
constexpr std::uint32_t kGetVersion = 3;
constexpr std::uint32_t kGetPublisherInfo = 4;

constexpr std::uint32_t kDeviceProfileQuery = 0;
constexpr std::uint32_t kProfileOnDisk = 2;

void StoreU32(void* target, std::uint32_t value) { std::memcpy(target, &value, sizeof value); }

}  // namespace

RuleResult GetInfoRule(std::uint32_t mode, void* buffer, std::uint32_t bufferSize, std::uint32_t* bytesNeeded) {
    if (bytesNeeded == nullptr || (mode != kGetSignature && mode != kGetVersion && mode != kGetPublisherInfo)) {
        return {kEFail, kErrorInvalidParameter};
    }
    *bytesNeeded = 4;
    if (bufferSize < 4 || buffer == nullptr) {
        return {kEFail, kErrorInsufficientBuffer};
    }
    switch (mode) {
        case kGetSignature:
            StoreU32(buffer, kPluginSignature);
            return {kSOk, 0};
        case kGetVersion:
            StoreU32(buffer, kPluginVersion);
            return {kSOk, 0};
        default:  // publisher information is known but not offered
            *bytesNeeded = 0;
            return {kEFail, kErrorNotSupported};
    }
}

RuleResult QueryColorProfileRule(std::uint32_t queryMode, void* profileData, std::uint32_t* profileSize,
                                 std::uint32_t* profileFlags) {
    if (queryMode != kDeviceProfileQuery) {
        return {kEFail, 0};
    }
    // A caller that gives nowhere to report the size or the flags gets a bad
    // argument rather than a write through a null pointer.
    if (profileSize == nullptr || profileFlags == nullptr) {
        return {kEFail, kErrorInvalidParameter};
    }
    if (profileData == nullptr || *profileSize < kProfileBufferSize) {
        *profileSize = kProfileBufferSize;
        return {kEFail, kErrorInsufficientBuffer};
    }
    static const char16_t kProfileName[] = u"OEMPROFILE.icm";
    std::memcpy(profileData, kProfileName, sizeof kProfileName);
    *profileSize = kProfileBufferSize;
    *profileFlags = kProfileOnDisk;
    return {kSOk, 0};
}

}  // namespace zelt
