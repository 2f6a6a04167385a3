// A printer's raw job calls answered in memory: the calls in order, the bytes
// the writes took, and any call refused or write cut short or over-reported
// as a spooler might.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "spool/raw_job.h"

namespace zelt {

class FakeSpooler final : public RawJobSpooler {
public:
    bool StartDocument() override { return Answer("StartDoc"); }
    bool StartPage() override { return Answer("StartPage"); }
    bool Write(const unsigned char* bytes, std::uint32_t count, std::uint32_t& written) override {
        written = 0;
        if (!Answer("Write " + std::to_string(count))) return false;
        const std::uint32_t taken = count < mostTaken ? count : mostTaken;
        if (onBytes) {
            onBytes(bytes, taken);
        } else {
            received.insert(received.end(), bytes, bytes + taken);
        }
        written = taken + overReport;
        return true;
    }
    bool EndPage() override { return Answer("EndPage"); }
    bool EndDocument() override { return Answer("EndDoc"); }
    void Abort() override { calls.push_back("Abort"); }

    // The calls, joined by ", ".
    std::string Calls() const {
        std::string joined;
        for (const std::string& call : calls) joined += (joined.empty() ? "" : ", ") + call;
        return joined;
    }

    std::vector<std::string> calls;
    std::vector<unsigned char> received;  // what the writes took, unless onBytes takes it
    std::function<void(const unsigned char*, std::uint32_t)> onBytes;
    // The call refused ("StartDoc", "StartPage", "Write", "EndPage", "EndDoc")
    // the `refusedTime`th time it is made.
    std::string refused;
    int refusedTime = 1;
    std::uint32_t mostTaken = UINT32_MAX;  // a write takes at most this many bytes
    std::uint32_t overReport = 0;          // and reports this many more than it took

private:
    bool Answer(const std::string& call) {
        calls.push_back(call);
        const std::string name = call.substr(0, call.find(' '));
        return name != refused || ++made_[name] != refusedTime;
    }

    std::map<std::string, int> made_;
};

}  // namespace zelt
