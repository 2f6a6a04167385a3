// Benchmark support shared by the logo and journal print benchmarks: a
// print timed from its start until its last job has arrived whole at the
// printer's capture port, alternating with its floor in one process, and the
// process's peak memory around one print.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "page_driver.h"

namespace zelt::test {

// The floor's reading: the file opened once with CreateFileW and read with
// ReadFile into `into`, at most `capacity` bytes. The bytes read.
std::size_t ReadOnce(const std::wstring& path, unsigned char* into, std::size_t capacity);
// A file of `size` bytes of a pattern that differs by seed, written in
// pieces so that making it raises no memory peak of its own.
bool WritePatternFile(const std::wstring& path, std::uint64_t size, int seed);

// A print: what starts it, and the lengths of the jobs it sends, in order.
struct Print {
    std::function<void()> start;
    std::vector<std::uint64_t> jobLengths;
};

// The printer's port, its jobs cleared before each print.
struct Port {
    std::wstring dataFile;  // the test printer's model
    PortJobs jobs;
};

// A fresh printer of the port's model with only `seed` stored and the
// plug-in loaded. False, with a message on stderr, when not.
bool PrepareBenchmark(PageSession& session, const Port& port, const NamedNumbers& seed = {});
// The sheet opened with the page at `tab` shown; null, with a message on
// stderr, when not.
HWND OpenBenchmarkPage(PageSession& session, int tab);

// Runs the plug-in's print and the floor `runs` times each, alternating and
// swapping which goes first every run, each timed until its last job has
// arrived whole. Prints "time RUN PLUGIN_MS FLOOR_MS" per run. False, with a
// message on stderr, when a job does not arrive whole.
bool TimeAgainstFloor(Port& port, const Print& plugin, const Print& floor, int runs);

// One print in this process, its jobs awaited, then "memory WHAT REFERENCE
// WS_BEFORE PEAK_BEFORE PEAK_AFTER" in bytes (the working set; a peak can
// only be read, not reset, so each measured print needs a process of its own).
bool MeasureMemory(Port& port, const wchar_t* what, std::uint64_t reference, const Print& print);

}  // namespace zelt::test
