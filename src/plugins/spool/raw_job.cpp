#include "raw_job.h"

namespace zelt {
namespace {

// WritePrinter counts in 32 bits: a longer buffer goes in parts rather than
// cut short.
constexpr std::size_t kLargestWrite = 0x40000000;

}  // namespace

RawJob::~RawJob() {
    if (state_ == State::kOpen) spooler_.Abort();
}

bool RawJob::Refused() {
    if (state_ == State::kOpen) spooler_.Abort();
    state_ = State::kOver;
    return false;
}

bool RawJob::Begin() {
    if (state_ != State::kNotBegun) return false;
    if (!spooler_.StartDocument()) {
        state_ = State::kOver;
        return false;
    }
    state_ = State::kOpen;
    return spooler_.StartPage() || Refused();
}

bool RawJob::Write(const unsigned char* bytes, std::size_t length) {
    if (state_ != State::kOpen) return false;
    while (length > 0) {
        const auto offered = static_cast<std::uint32_t>(length < kLargestWrite ? length : kLargestWrite);
        std::uint32_t written = 0;
        if (!spooler_.Write(bytes, offered, written) || written == 0 || written > offered) return Refused();
        bytes += written;
        length -= written;
    }
    return true;
}

bool RawJob::End() {
    if (state_ != State::kOpen) return false;
    if (!spooler_.EndPage() || !spooler_.EndDocument()) return Refused();
    state_ = State::kOver;
    return true;
}

bool SendRawJob(RawJobSpooler& spooler, const unsigned char* bytes, std::size_t length) {
    RawJob job(spooler);
    return job.Begin() && job.Write(bytes, length) && job.End();
}

}  // namespace zelt
