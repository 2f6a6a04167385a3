#include "spool/raw_job.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_spooler.h"

namespace zelt {
namespace {

using Bytes = std::vector<unsigned char>;

const Bytes kTen = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// --- Whole or not at all ----------------------------------------------------------
struct JobCase {
    const char* what;
    std::function<void(FakeSpooler&)> spooler;
    Bytes bytes;
    bool sent;
    const char* calls;
};

TEST(SendRawJob, ReachesTheSpoolerWholeOrIsAborted) {
    const JobCase cases[] = {
        {"every call taken", [](FakeSpooler&) {}, kTen, true,
         "StartDoc, StartPage, Write 10, EndPage, EndDoc"},
        {"an empty buffer: no write", [](FakeSpooler&) {}, {}, true, "StartDoc, StartPage, EndPage, EndDoc"},
        {"short writes are continued", [](FakeSpooler& s) { s.mostTaken = 4; }, kTen, true,
         "StartDoc, StartPage, Write 10, Write 6, Write 2, EndPage, EndDoc"},
        {"no document: nothing more", [](FakeSpooler& s) { s.refused = "StartDoc"; }, kTen, false, "StartDoc"},
        {"no page", [](FakeSpooler& s) { s.refused = "StartPage"; }, kTen, false, "StartDoc, StartPage, Abort"},
        {"a refused write", [](FakeSpooler& s) { s.refused = "Write"; }, kTen, false,
         "StartDoc, StartPage, Write 10, Abort"},
        {"a refused write after a short one",
         [](FakeSpooler& s) {
             s.refused = "Write";
             s.refusedTime = 2;
             s.mostTaken = 4;
         },
         kTen, false, "StartDoc, StartPage, Write 10, Write 6, Abort"},
        {"a write that takes nothing", [](FakeSpooler& s) { s.mostTaken = 0; }, kTen, false,
         "StartDoc, StartPage, Write 10, Abort"},
        {"a write reporting more than offered", [](FakeSpooler& s) { s.overReport = 1; }, kTen, false,
         "StartDoc, StartPage, Write 10, Abort"},
        {"a refused page end", [](FakeSpooler& s) { s.refused = "EndPage"; }, kTen, false,
         "StartDoc, StartPage, Write 10, EndPage, Abort"},
        {"a refused document end", [](FakeSpooler& s) { s.refused = "EndDoc"; }, kTen, false,
         "StartDoc, StartPage, Write 10, EndPage, EndDoc, Abort"},
    };
    for (const JobCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSpooler spooler;
        c.spooler(spooler);
        EXPECT_EQ(SendRawJob(spooler, c.bytes.data(), c.bytes.size()), c.sent);
        EXPECT_EQ(spooler.Calls(), c.calls);
        if (c.sent) EXPECT_EQ(spooler.received, c.bytes);
    }
}

TEST(RawJob, WritesInTurnAndAbortsAJobLeftUnfinished) {
    FakeSpooler spooler;
    {
        RawJob job(spooler);
        ASSERT_TRUE(job.Begin());
        EXPECT_TRUE(job.Write(kTen.data(), 3));
        EXPECT_TRUE(job.Write(kTen.data() + 3, 7));
    }  // the caller's read failed: never ended
    EXPECT_EQ(spooler.Calls(), "StartDoc, StartPage, Write 3, Write 7, Abort");
    EXPECT_EQ(spooler.received, kTen);
}

TEST(RawJob, AfterARefusalNothingMoreIsCalled) {
    FakeSpooler spooler;
    spooler.refused = "Write";
    RawJob job(spooler);
    ASSERT_TRUE(job.Begin());
    EXPECT_FALSE(job.Write(kTen.data(), 10));
    EXPECT_FALSE(job.Write(kTen.data(), 10));
    EXPECT_FALSE(job.End());
    EXPECT_FALSE(job.Begin());
    EXPECT_EQ(spooler.Calls(), "StartDoc, StartPage, Write 10, Abort");

    FakeSpooler unbegun;
    RawJob never(unbegun);
    EXPECT_FALSE(never.Write(kTen.data(), 10));
    EXPECT_FALSE(never.End());
    EXPECT_TRUE(unbegun.calls.empty());
}

}  // namespace
}  // namespace zelt
