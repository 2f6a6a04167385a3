#include "raw_job.h"

#include <winspool.h>

namespace zelt {

void SubmitRawJob(HANDLE printer, const unsigned char* bytes, std::size_t length) {
    DOC_INFO_1W document = {};
    document.pDocName = const_cast<wchar_t*>(kRawJobName);
    document.pOutputFile = nullptr;
    document.pDatatype = const_cast<wchar_t*>(L"RAW");
    StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&document));
    StartPagePrinter(printer);
    // WritePrinter counts in 32 bits: a 64-bit module's longer stream goes in
    // parts rather than cut short.
    constexpr std::size_t kLargestWrite = 0x40000000;
    while (length > 0) {
        const DWORD part = static_cast<DWORD>(length < kLargestWrite ? length : kLargestWrite);
        DWORD written = 0;
        if (!WritePrinter(printer, const_cast<unsigned char*>(bytes), part, &written) || written == 0) break;
        bytes += written;
        length -= written;
    }
    EndPagePrinter(printer);
    EndDocPrinter(printer);
}

}  // namespace zelt
