// Raw jobs through the print spooler, to the printer the page was given.
#pragma once

#include <windows.h>

#include <cstddef>

#include "raw_job.h"

namespace zelt {

// "Zelt Raster Driver Internal Outut": the name the job shows in the queue.
constexpr wchar_t kRawJobName[] = L"Zelt Raster Driver Internal Outut";

// The winspool calls of one "RAW" job to the printer's own port.
class SpoolerJob final : public RawJobSpooler {
public:
    explicit SpoolerJob(HANDLE printer) : printer_(printer) {}
    bool StartDocument() override;
    bool StartPage() override;
    bool Write(const unsigned char* bytes, std::uint32_t count, std::uint32_t& written) override;
    bool EndPage() override;
    bool EndDocument() override;
    void Abort() override;

private:
    HANDLE printer_;
};

}  // namespace zelt
