#include "devmode_header.h"

#include <algorithm>
#include <cstring>

namespace zelt {
namespace {

constexpr std::uint32_t kModeSize = 1;
constexpr std::uint32_t kModeDefault = 2;
constexpr std::uint32_t kModeConvert = 3;
constexpr std::uint32_t kModeMerge = 4;

constexpr std::size_t kSizeOffset = 0;
constexpr std::size_t kSignatureOffset = 4;
constexpr std::size_t kVersionOffset = 8;

std::uint32_t ReadField(const void* block, std::size_t offset) {
    std::uint32_t value;
    std::memcpy(&value, static_cast<const unsigned char*>(block) + offset, sizeof value);
    return value;
}

void WriteField(void* block, std::size_t offset, std::uint32_t value) {
    std::memcpy(static_cast<unsigned char*>(block) + offset, &value, sizeof value);
}

void WriteDefaultHeader(void* block) {
    WriteField(block, kSizeOffset, kPrivateDevmodeSize);
    WriteField(block, kSignatureOffset, kPluginSignature);
    WriteField(block, kVersionOffset, kPluginVersion);
}

}  // namespace

void CarryOverDevmode(const void* input, void* output) {
    if (input == nullptr || output == nullptr) {
        return;
    }
    if (ReadField(input, kSignatureOffset) == ReadField(output, kSignatureOffset)) {
        // The sizes are the blocks' own claims; the blocks the driver gives
        // are the 12 bytes that mode 1 reports, so never copy more than that.
        const std::uint32_t claimed = std::min(ReadField(input, kSizeOffset), ReadField(output, kSizeOffset));
        std::memmove(output, input, std::min(claimed, kPrivateDevmodeSize));
    } else {
        WriteField(output, kSignatureOffset, kPluginSignature);
    }
    WriteField(output, kSizeOffset, kPrivateDevmodeSize);
    WriteField(output, kVersionOffset, kPluginVersion);
}

RuleResult DevModeRule(std::uint32_t mode, const DevModeBlocks* blocks) {
    if (blocks == nullptr || mode < kModeSize || mode > kModeMerge) {
        return {kEFail, kErrorInvalidParameter};
    }
    switch (mode) {
        case kModeSize:
            if (blocks->bufSize != nullptr) *blocks->bufSize = kPrivateDevmodeSize;
            break;
        case kModeDefault:
            if (blocks->output != nullptr) WriteDefaultHeader(blocks->output);
            break;
        case kModeConvert:
            CarryOverDevmode(blocks->input, blocks->output);
            break;
        case kModeMerge:
            CarryOverDevmode(blocks->input, blocks->output);
            if (blocks->output != nullptr) WriteDefaultHeader(blocks->output);
            break;
    }
    return {kSOk, 0};
}

}  // namespace zelt
