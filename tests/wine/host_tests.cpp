// The driver UI host's own parts: command line, derived names, the PNG
// encoder, the capture port and the value table, against the real spooler
// where there is one.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

#include "command_line.h"
#include "page_driver.h"
#include "png_writer.h"
#include "printer_names.h"
#include "printer_setup.h"
#include "value_table.h"
#include "wine_paths.h"

using namespace zelt::host;
using zelt::test::AwaitFile;
using zelt::test::Narrow;
using zelt::test::ReadWholeFile;
using zelt::test::SubmitRawJob;
using zelt::test::WriteWholeFile;

namespace {

// --- Command line ---------------------------------------------------------------
struct OptionCase {
    std::vector<std::wstring> arguments;
    bool accepted;
    const wchar_t* dataFile;     // when accepted
    const wchar_t* printerName;  // when accepted
};

TEST(HostOptions, ParsesOrRejectsEachCommandLine) {
    const OptionCase cases[] = {
        {{}, true, L"QWNB18_ZOOM.GPD", L"Zelt Raster QWNB18_ZOOM"},
        {{L"--model", L"QRVA57.GPD"}, true, L"QRVA57.GPD", L"Zelt Raster QRVA57"},
        {{L"--data-file", L"B18\\PLAIN.GPD"}, true, L"B18\\PLAIN.GPD", L"Zelt Raster B18-PLAIN"},
        {{L"--printer", L"Till 3", L"--apply", L"--values"}, true, L"QWNB18_ZOOM.GPD", L"Till 3"},
        {{L"--model", L"A.GPD", L"--data-file", L"B.GPD"}, false, nullptr, nullptr},
        {{L"--model"}, false, nullptr, nullptr},
        {{L"--shots", L""}, false, nullptr, nullptr},
        {{L"--colour"}, false, nullptr, nullptr},
        {{L"--model", L"QRVA57.TXT"}, false, nullptr, nullptr},
        {{L"--data-file", L"..\\x.GPD"}, false, nullptr, nullptr},
        {{L"--data-file", L"C:\\x.GPD"}, false, nullptr, nullptr},
        {{L"--data-file", L"B18\\\\x.GPD"}, false, nullptr, nullptr},
        {{L"--printer", L"a,b"}, false, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        HostOptions options;
        std::wstring error;
        const bool accepted = ParseHostOptions(c.arguments, options, error);
        const std::string what = c.arguments.empty() ? "(no arguments)" : Narrow(c.arguments.front());
        ASSERT_EQ(accepted, c.accepted) << what << ": " << Narrow(error);
        if (accepted) {
            EXPECT_EQ(Narrow(options.dataFile), Narrow(c.dataFile)) << what;
            EXPECT_EQ(Narrow(options.printerName), Narrow(c.printerName)) << what;
        } else {
            EXPECT_FALSE(error.empty()) << what;
        }
    }
}

TEST(HostOptions, FlagsAndFoldersLandInTheirFields) {
    HostOptions options;
    std::wstring error;
    ASSERT_TRUE(ParseHostOptions({L"--shots", L"/tmp/s", L"--jobs", L"C:\\j", L"--dll", L"x.dll", L"--reset",
                                  L"--headless", L"--read-only"},
                                 options, error));
    EXPECT_EQ(Narrow(options.shotsFolder), "/tmp/s");
    EXPECT_EQ(Narrow(options.jobsFolder), "C:\\j");
    EXPECT_EQ(Narrow(options.dllPath), "x.dll");
    EXPECT_TRUE(options.reset);
    EXPECT_TRUE(options.headless);
    EXPECT_TRUE(options.readOnly);
    EXPECT_FALSE(options.apply);
    EXPECT_FALSE(options.values);
}

TEST(HostOptions, SecondPrinterGetsANameOfItsOwn) {
    const struct {
        std::vector<std::wstring> arguments;
        const wchar_t* secondPrinter;  // null: refused
    } cases[] = {
        {{}, L""},
        {{L"--second-model", L"QRVX10.GPD"}, L"Zelt Raster QRVX10"},
        {{L"--second-model", L"QWNB18_ZOOM.GPD"}, L"Zelt Raster QWNB18_ZOOM (2)"},
        {{L"--second-model", L"QRVX10.GPD", L"--second-printer", L"Till 2"}, L"Till 2"},
        {{L"--printer", L"Till 1", L"--second-model", L"QRVX10.GPD", L"--second-printer", L"TILL 1"}, nullptr},
        {{L"--second-printer", L"Till 2"}, nullptr},
        {{L"--second-model", L"..\\x.GPD"}, nullptr},
        {{L"--second-model", L"QRVX10.GPD", L"--second-printer", L"a,b"}, nullptr},
    };
    for (const auto& c : cases) {
        HostOptions options;
        std::wstring error;
        const bool accepted = ParseHostOptions(c.arguments, options, error);
        const std::string what = c.arguments.empty() ? "(no arguments)" : Narrow(c.arguments.back());
        ASSERT_EQ(accepted, c.secondPrinter != nullptr) << what << ": " << Narrow(error);
        if (accepted) EXPECT_EQ(Narrow(options.secondPrinterName), Narrow(c.secondPrinter)) << what;
    }
}

// --- Screenshot names -----------------------------------------------------------
TEST(ShotFileName, KeepsTextAndReplacesWhatAPathCannotHold) {
    const struct {
        const wchar_t* caption;
        const char* expected;
    } cases[] = {
        {L"Raster Print Options", "M-en-2-Raster_Print_Options.png"},
        {L"a/b\\c:d*e", "M-en-2-a_b_c_d_e.png"},
        {L"ラスター印刷設定", "M-en-2-ラスター印刷設定.png"},
        {L"ETB\x3000機能", "M-en-2-ETB_機能.png"},
        {L"", "M-en-2-.png"},
    };
    for (const auto& c : cases) EXPECT_EQ(Narrow(ShotFileName(L"M", L"en", 2, c.caption)), c.expected);
}

// --- PNG ----------------------------------------------------------------------
TEST(Png, ChecksumsMatchKnownValues) {
    const std::string check = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()), 0xCBF43926u);
    const std::string wiki = "Wikipedia";
    EXPECT_EQ(Adler32(reinterpret_cast<const std::uint8_t*>(wiki.data()), wiki.size()), 0x11E60398u);
}

std::uint32_t BigEndianAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3];
}

// Walks the chunks, checks each CRC, and unpacks the stored deflate blocks.
std::vector<std::uint8_t> UnpackStoredPng(const std::vector<std::uint8_t>& png, int& width, int& height) {
    std::vector<std::uint8_t> zlib;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = BigEndianAt(png, at);
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        EXPECT_EQ(Crc32(png.data() + at + 4, length + 4), BigEndianAt(png, at + 8 + length)) << type;
        if (type == "IHDR") {
            width = static_cast<int>(BigEndianAt(png, at + 8));
            height = static_cast<int>(BigEndianAt(png, at + 12));
        }
        if (type == "IDAT") zlib.insert(zlib.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
        at += 12 + length;
    }
    std::vector<std::uint8_t> raw;
    std::size_t at = 2;
    bool last = false;
    while (!last && at + 5 <= zlib.size()) {
        last = zlib[at] & 1;
        const std::size_t length = zlib[at + 1] | (zlib[at + 2] << 8);
        EXPECT_EQ(length ^ 0xFFFFu, static_cast<std::size_t>(zlib[at + 3] | (zlib[at + 4] << 8)));
        raw.insert(raw.end(), zlib.begin() + at + 5, zlib.begin() + at + 5 + length);
        at += 5 + length;
    }
    EXPECT_TRUE(last);
    EXPECT_EQ(Adler32(raw.data(), raw.size()), BigEndianAt(zlib, at));
    return raw;
}

TEST(Png, RoundTripsAnImageLargerThanOneStoredBlock) {
    RgbImage image;
    image.width = 200;
    image.height = 150;  // 90,150 bytes of rows: two stored blocks
    for (int i = 0; i < image.width * image.height * 3; ++i) image.rgb.push_back(static_cast<std::uint8_t>(i * 7));
    const std::vector<std::uint8_t> png = EncodePng(image);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    int width = 0, height = 0;
    const std::vector<std::uint8_t> raw = UnpackStoredPng(png, width, height);
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 150);
    ASSERT_EQ(raw.size(), static_cast<std::size_t>(image.height) * (image.width * 3 + 1));
    for (int y = 0; y < image.height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * (image.width * 3 + 1);
        ASSERT_EQ(raw[row], 0) << "filter byte of row " << y;
        ASSERT_TRUE(std::equal(image.rgb.begin() + y * image.width * 3, image.rgb.begin() + (y + 1) * image.width * 3,
                               raw.begin() + row + 1))
            << "row " << y;
    }
}

TEST(Png, PutsTwoSheetsSideBySideOnGrey) {
    RgbImage left{2, 1, {255, 0, 0, 255, 0, 0}};
    RgbImage right{1, 2, {0, 0, 255, 0, 0, 255}};
    const RgbImage both = SideBySide(left, right, 1);
    ASSERT_EQ(both.width, 4);
    ASSERT_EQ(both.height, 2);
    const auto pixel = [&](int x, int y) {
        const std::size_t at = (static_cast<std::size_t>(y) * both.width + x) * 3;
        return std::vector<int>{both.rgb[at], both.rgb[at + 1], both.rgb[at + 2]};
    };
    const std::vector<int> red{255, 0, 0}, blue{0, 0, 255}, grey{0x80, 0x80, 0x80};
    EXPECT_EQ(pixel(0, 0), red);
    EXPECT_EQ(pixel(1, 0), red);
    EXPECT_EQ(pixel(2, 0), grey);
    EXPECT_EQ(pixel(3, 0), blue);
    EXPECT_EQ(pixel(0, 1), grey);
    EXPECT_EQ(pixel(3, 1), blue);
    right.rgb.pop_back();
    EXPECT_EQ(SideBySide(left, right, 1).width, 0);
}

TEST(Png, RefusesAnImageWhosePixelsDoNotMatchItsSize) {
    RgbImage image;
    image.width = 4;
    image.height = 4;
    image.rgb.assign(10, 0);
    EXPECT_TRUE(EncodePng(image).empty());
    EXPECT_TRUE(EncodePng(RgbImage{}).empty());
}

// --- The simulated printer --------------------------------------------------------
TEST(CapturePort, QuotesPathsForTheShell) {
    EXPECT_EQ(Narrow(CapturePortName(L"/p/capture.sh", L"/o/it's here")),
              "|/bin/sh '/p/capture.sh' '/o/it'\\''s here'");
}

std::wstring FreshFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId());
    std::wstring error;
    MakeFolders(folder, error);
    return folder;
}

TEST(SimulatedPrinter, DeliversEachRawJobAsTheNextNumberedFile) {
    const std::wstring jobs = FreshFolder(L"zelt-jobs");
    SimulatedPrinter printer;
    std::wstring error;
    ASSERT_TRUE(EnsurePrinter({L"QRVHOST.GPD", L"Zelt Host Test Jobs", jobs}, printer, error)) << Narrow(error);
    EXPECT_EQ(Narrow(printer.jobsFolder), Narrow(jobs));

    // The spooler runs the port's command as its own process: each file is awaited.
    const std::string first("\x1b@first\0job", 11);
    ASSERT_TRUE(SubmitRawJob(printer.printerName, first));
    EXPECT_EQ(AwaitFile(jobs + L"\\job-001.prn", first), first);
    ASSERT_TRUE(SubmitRawJob(printer.printerName, "second"));
    EXPECT_EQ(AwaitFile(jobs + L"\\job-002.prn", "second"), "second");
    EXPECT_EQ(ReadWholeFile(jobs + L"\\job-001.prn"), first);
}

TEST(SimulatedPrinter, IsReusedAndFollowsANewCaptureFolder) {
    const std::wstring first = FreshFolder(L"zelt-jobs-a");
    const std::wstring second = FreshFolder(L"zelt-jobs-b");
    SimulatedPrinter printer;
    std::wstring error;
    ASSERT_TRUE(EnsurePrinter({L"QRVHOST.GPD", L"Zelt Host Test Reuse", first}, printer, error)) << Narrow(error);
    ASSERT_TRUE(EnsurePrinter({L"QRVHOST.GPD", L"Zelt Host Test Reuse", second}, printer, error)) << Narrow(error);
    ASSERT_TRUE(SubmitRawJob(printer.printerName, "moved"));
    EXPECT_EQ(AwaitFile(second + L"\\job-001.prn", "moved"), "moved");
}

TEST(SimulatedPrinter, ReportsADataFileKeptInItsSubfolder) {
    SimulatedPrinter printer;
    std::wstring error;
    ASSERT_TRUE(EnsurePrinter({L"B15\\SUBDIR.GPD", L"Zelt Host Test Subfolder", L""}, printer, error))
        << Narrow(error);
    const std::string reported = Narrow(printer.reportedDataFile);
    const std::string tail = "\\3\\B15\\SUBDIR.GPD";
    ASSERT_GE(reported.size(), tail.size());
    EXPECT_EQ(reported.substr(reported.size() - tail.size()), tail);
}

TEST(SimulatedPrinter, InstallsTheHelpFilesInTheDriverFolder) {
    // Stand-ins for the two .chm files, as the build puts them beside the host.
    const std::wstring from = FreshFolder(L"zelt-help");
    for (const wchar_t* name : kHelpFileNames) ASSERT_TRUE(WriteWholeFile(from + L"\\" + name, "ITSF"));
    SimulatedPrinter printer;
    std::wstring error;
    ASSERT_TRUE(EnsurePrinter({L"QRVHOST.GPD", L"Zelt Host Test Help", L"", from}, printer, error)) << Narrow(error);
    wchar_t driver[MAX_PATH] = {};
    DWORD needed = 0;
    ASSERT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(driver), sizeof driver, &needed));
    ASSERT_EQ(printer.helpFiles.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const std::wstring expected = std::wstring(driver) + L"\\3\\" + kHelpFileNames[i];
        EXPECT_EQ(Narrow(printer.helpFiles[i]), Narrow(expected));
        EXPECT_EQ(ReadWholeFile(expected), "ITSF") << Narrow(expected);
        DeleteFileW(expected.c_str());  // the help tests decide for themselves which files lie there
    }
    // Without a help folder, or with one that holds no .chm, nothing is installed and nothing fails.
    ASSERT_TRUE(EnsurePrinter({L"QRVHOST.GPD", L"Zelt Host Test Help", L""}, printer, error)) << Narrow(error);
    EXPECT_TRUE(printer.helpFiles.empty());
    ASSERT_TRUE(EnsurePrinter({L"QRVHOST.GPD", L"Zelt Host Test Help", L"", FreshFolder(L"zelt-nohelp")}, printer, error))
        << Narrow(error);
    EXPECT_TRUE(printer.helpFiles.empty());
}

TEST(SimulatedPrinter, RefusesAPrinterNameHeldByAnotherDriver) {
    SimulatedPrinter printer;
    std::wstring error;
    ASSERT_TRUE(EnsurePrinter({L"QRVHOST.GPD", L"Zelt Host Test Owner", L""}, printer, error)) << Narrow(error);
    EXPECT_FALSE(EnsurePrinter({L"QRVOTHER.GPD", L"Zelt Host Test Owner", L""}, printer, error));
    EXPECT_NE(error.find(L"already exists with driver"), std::wstring::npos) << Narrow(error);
}

// --- Stored values ----------------------------------------------------------------
TEST(ValueTable, FormatsEachKindOfStoredValue) {
    const struct {
        StoredValue value;
        const char* expected;
    } cases[] = {
        {{ERROR_SUCCESS, REG_DWORD, 4, 11}, "RPO_X                             11  REG_DWORD/4"},
        {{ERROR_FILE_NOT_FOUND, 0, 0, 0}, "RPO_X                             absent"},
        {{ERROR_SUCCESS, REG_SZ, 2, 0}, "RPO_X                             -  REG_SZ/2"},
        {{ERROR_SUCCESS, REG_BINARY, 8, 7}, "RPO_X                             7  REG_BINARY/8"},
    };
    for (const auto& c : cases) EXPECT_EQ(Narrow(FormatValueLine(L"RPO_X", c.value)), c.expected);
}

TEST(ValueTable, ListsAllValuesAndResetRemovesThem) {
    SimulatedPrinter printer;
    std::wstring error;
    ASSERT_TRUE(EnsurePrinter({L"QRVHOST.GPD", L"Zelt Host Test Values", L""}, printer, error)) << Narrow(error);
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(printer.printerName.c_str()), &handle, &access));
    DWORD eleven = 11;
    ASSERT_EQ(SetPrinterDataW(handle, const_cast<wchar_t*>(L"RPO_PAGEDOCCUTACTION"), REG_DWORD,
                              reinterpret_cast<BYTE*>(&eleven), sizeof eleven),
              static_cast<DWORD>(ERROR_SUCCESS));

    std::string table = Narrow(FormatValueTable(handle, printer.printerName));
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 61);
    EXPECT_NE(table.find("RPO_PAGEDOCCUTACTION              11  REG_DWORD/4"), std::string::npos) << table;

    ASSERT_TRUE(DeleteStoredValues(printer.printerName, error)) << Narrow(error);
    EXPECT_EQ(ReadStoredValue(handle, L"RPO_PAGEDOCCUTACTION").status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    table = Narrow(FormatValueTable(handle, printer.printerName));
    EXPECT_EQ(table.find("REG_DWORD"), std::string::npos) << table;
    ClosePrinter(handle);
}

}  // namespace
