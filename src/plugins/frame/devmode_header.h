// The plug-in's private devmode: the bare 12-byte header {size, signature,
// version}. The plug-in keeps no settings in the devmode.
#pragma once

#include <cstdint>

#include "com_result.h"

namespace zelt {

constexpr std::uint32_t kPrivateDevmodeSize = 12;

// DevMode(mode, parameter block) with the three fields of the block it uses.
// `paramsPresent` is false when the host passed no block at all.
struct DevModeBlocks {
    void* input;              // pOEMDMIn, read
    void* output;             // pOEMDMOut, written
    std::uint32_t* bufSize;   // cbBufSize, written in mode 1
};

RuleResult DevModeRule(std::uint32_t mode, const DevModeBlocks* blocks);

// Carries the input header into the output one; either may be null.
void CarryOverDevmode(const void* input, void* output);

}  // namespace zelt
