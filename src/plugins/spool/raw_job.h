// Bytes sent to the printer as they are, bypassing the driver's rendering.
#pragma once

#include <windows.h>

#include <cstddef>

namespace zelt {

// "Zelt Raster Driver Internal Outut": the name the job shows in the queue.
constexpr wchar_t kRawJobName[] = L"Zelt Raster Driver Internal Outut";

// Sends the buffer as one "RAW" job of one page with one write. All five
// spooler calls are made whatever each answers; nothing is reported.
void SubmitRawJob(HANDLE printer, const unsigned char* bytes, std::size_t length);

}  // namespace zelt
