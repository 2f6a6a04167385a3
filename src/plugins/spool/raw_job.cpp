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
    DWORD written = 0;
    WritePrinter(printer, const_cast<unsigned char*>(bytes), static_cast<DWORD>(length), &written);
    EndPagePrinter(printer);
    EndDocPrinter(printer);
}

}  // namespace zelt
