#include "spooler_job.h"

#include <winspool.h>

namespace zelt {

bool SpoolerJob::StartDocument() {
    DOC_INFO_1W document = {};
    document.pDocName = const_cast<wchar_t*>(kRawJobName);
    document.pOutputFile = nullptr;
    document.pDatatype = const_cast<wchar_t*>(L"RAW");
    return StartDocPrinterW(printer_, 1, reinterpret_cast<BYTE*>(&document)) != 0;
}

bool SpoolerJob::StartPage() { return StartPagePrinter(printer_) != FALSE; }

bool SpoolerJob::Write(const unsigned char* bytes, std::uint32_t count, std::uint32_t& written) {
    DWORD taken = 0;
    const bool accepted = WritePrinter(printer_, const_cast<unsigned char*>(bytes), count, &taken) != FALSE;
    written = taken;
    return accepted;
}

bool SpoolerJob::EndPage() { return EndPagePrinter(printer_) != FALSE; }

bool SpoolerJob::EndDocument() { return EndDocPrinter(printer_) != FALSE; }

void SpoolerJob::Abort() { AbortPrinter(printer_); }

}  // namespace zelt
