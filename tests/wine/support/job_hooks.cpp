#include "job_hooks.h"

#include <winspool.h>

#include <map>

#include "iat_hook.h"

namespace zelt::test {
namespace {

using StartDocFunction = DWORD(WINAPI*)(HANDLE, DWORD, BYTE*);
using WriteFunction = BOOL(WINAPI*)(HANDLE, void*, DWORD, DWORD*);
using PrinterFunction = BOOL(WINAPI*)(HANDLE);

// The sheet's thread makes the calls; the test's thread reads them.
struct JobLog {
    JobLog() { InitializeCriticalSection(&lock); }
    CRITICAL_SECTION lock;
    std::vector<std::string> calls;
    JobAnswers answers;
    std::map<std::string, int> made;  // since the answers were set
    StartDocFunction startDoc = nullptr;
    WriteFunction write = nullptr;
    PrinterFunction startPage = nullptr;
    PrinterFunction endPage = nullptr;
    PrinterFunction endDoc = nullptr;
    PrinterFunction abort = nullptr;
};

JobLog& Log() {
    static JobLog log;
    return log;
}

// Records the call; true when it is to be refused.
bool Record(const std::string& name, const std::string& call) {
    JobLog& log = Log();
    EnterCriticalSection(&log.lock);
    log.calls.push_back(call);
    const bool refused = name == log.answers.refused && ++log.made[name] == log.answers.refusedTime;
    LeaveCriticalSection(&log.lock);
    return refused;
}

JobAnswers Answers() {
    JobLog& log = Log();
    EnterCriticalSection(&log.lock);
    const JobAnswers answers = log.answers;
    LeaveCriticalSection(&log.lock);
    return answers;
}

DWORD WINAPI WatchedStartDoc(HANDLE printer, DWORD level, BYTE* info) {
    if (Record("StartDoc", "StartDoc")) {
        SetLastError(Answers().error);
        return 0;
    }
    return Log().startDoc(printer, level, info);
}

BOOL WINAPI WatchedWrite(HANDLE printer, void* bytes, DWORD count, DWORD* written) {
    const JobAnswers answers = Answers();
    if (Record("Write", "Write " + std::to_string(count))) {
        *written = 0;
        SetLastError(answers.error);
        return FALSE;
    }
    const DWORD passed = answers.mostWritten != 0 && count > answers.mostWritten ? answers.mostWritten : count;
    const BOOL taken = Log().write(printer, bytes, passed, written);
    if (taken) *written += answers.overReport;
    return taken;
}

BOOL WINAPI WatchedStartPage(HANDLE printer) {
    Record("StartPage", "StartPage");
    return Log().startPage(printer);
}
BOOL WINAPI WatchedEndPage(HANDLE printer) {
    Record("EndPage", "EndPage");
    return Log().endPage(printer);
}
BOOL WINAPI WatchedEndDoc(HANDLE printer) {
    Record("EndDoc", "EndDoc");
    return Log().endDoc(printer);
}
BOOL WINAPI WatchedAbort(HANDLE printer) {
    Record("Abort", "Abort");
    return Log().abort(printer);
}

}  // namespace

bool WatchPluginJobs(HMODULE plugin) {
    JobLog& log = Log();
    return HookImport(plugin, "winspool.drv", "StartDocPrinterW", &WatchedStartDoc, log.startDoc) &&
           HookImport(plugin, "winspool.drv", "StartPagePrinter", &WatchedStartPage, log.startPage) &&
           HookImport(plugin, "winspool.drv", "WritePrinter", &WatchedWrite, log.write) &&
           HookImport(plugin, "winspool.drv", "EndPagePrinter", &WatchedEndPage, log.endPage) &&
           HookImport(plugin, "winspool.drv", "EndDocPrinter", &WatchedEndDoc, log.endDoc) &&
           HookImport(plugin, "winspool.drv", "AbortPrinter", &WatchedAbort, log.abort);
}

void AnswerPluginJobs(const JobAnswers& answers) {
    JobLog& log = Log();
    EnterCriticalSection(&log.lock);
    log.answers = answers;
    log.made.clear();
    LeaveCriticalSection(&log.lock);
}

std::vector<std::string> TakeJobCalls() {
    JobLog& log = Log();
    EnterCriticalSection(&log.lock);
    std::vector<std::string> calls;
    calls.swap(log.calls);
    LeaveCriticalSection(&log.lock);
    return calls;
}

std::string JoinedCalls(const std::vector<std::string>& calls) {
    std::string joined;
    for (const std::string& call : calls) joined += (joined.empty() ? "" : ", ") + call;
    return joined;
}

}  // namespace zelt::test
