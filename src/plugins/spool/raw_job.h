// Bytes sent to the printer as they are, bypassing the driver's rendering:
// one spooler job of one page, reaching the printer whole or not at all.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zelt {

// A printer's raw job calls as the spooler answers them (StartDocPrinterW,
// StartPagePrinter, WritePrinter, EndPagePrinter, EndDocPrinter, AbortPrinter).
class RawJobSpooler {
public:
    virtual ~RawJobSpooler() = default;
    virtual bool StartDocument() = 0;
    virtual bool StartPage() = 0;
    // `written` is what the spooler reports it took.
    virtual bool Write(const unsigned char* bytes, std::uint32_t count, std::uint32_t& written) = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDocument() = 0;
    // The spooler deletes the job.
    virtual void Abort() = 0;
};

// One job: Begin, any number of Writes, End. A refused StartDocument sends
// nothing more. Once the document has begun, any refusal -- a write refused,
// one that takes nothing, or one that reports more than it was offered --
// aborts the job, so that no printer is left with part of a stream; a job its
// caller leaves unfinished (a read that failed) is aborted too. After a
// refusal every call answers false.
class RawJob {
public:
    explicit RawJob(RawJobSpooler& spooler) : spooler_(spooler) {}
    RawJob(const RawJob&) = delete;
    RawJob& operator=(const RawJob&) = delete;
    ~RawJob();

    bool Begin();
    // Every byte, in as many writes as the spooler needs: a write that takes
    // fewer bytes than offered is continued with the rest.
    bool Write(const unsigned char* bytes, std::size_t length);
    bool End();

private:
    bool Refused();

    enum class State { kNotBegun, kOpen, kOver };
    RawJobSpooler& spooler_;
    State state_ = State::kNotBegun;
};

// The buffer as one job. False when it did not reach the spooler whole.
bool SendRawJob(RawJobSpooler& spooler, const unsigned char* bytes, std::size_t length);

}  // namespace zelt
