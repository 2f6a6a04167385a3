// Test support: the plug-in's raw job calls (StartDocPrinterW to
// EndDocPrinter, and AbortPrinter) watched through its import table, and
// refused, cut short or over-reported as a spooler might. Calls not refused
// go on to the real spooler.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zelt::test {

// How the spooler answers the plug-in's job calls; the default answers
// every call as the real spooler does.
struct JobAnswers {
    std::string refused;  // "StartDoc" or "Write": refused with `error` ...
    int refusedTime = 1;  // ... the refusedTime-th time it is made
    DWORD error = ERROR_DISK_FULL;
    DWORD mostWritten = 0;  // not 0: a write passes on at most this many bytes
    DWORD overReport = 0;   // a write reports this many bytes more than it took
};

// Answers refusing the call ("StartDoc" or "Write") the time-th time it is made.
inline JobAnswers RefusingCall(const char* call, int time = 1) {
    JobAnswers answers;
    answers.refused = call;
    answers.refusedTime = time;
    return answers;
}
// Answers passing on at most `mostWritten` bytes of a write (0: all) and
// reporting `overReport` more.
inline JobAnswers WritesTaking(DWORD mostWritten, DWORD overReport = 0) {
    JobAnswers answers;
    answers.mostWritten = mostWritten;
    answers.overReport = overReport;
    return answers;
}

// False when the module does not import every one of the calls.
bool WatchPluginJobs(HMODULE plugin);
// From now on, with the counts of refusedTime started afresh.
void AnswerPluginJobs(const JobAnswers& answers);
// The calls since the last take, in order: "StartDoc", "StartPage",
// "Write <bytes offered>", "EndPage", "EndDoc", "Abort".
std::vector<std::string> TakeJobCalls();
// The calls joined by ", ".
std::string JoinedCalls(const std::vector<std::string>& calls);

}  // namespace zelt::test
