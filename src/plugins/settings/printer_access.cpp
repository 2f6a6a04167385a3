#include "printer_access.h"

namespace zelt {

std::uint32_t PageStore::Get(const wchar_t* name, std::uint32_t* type, unsigned char* buffer, std::uint32_t size,
                             std::uint32_t* needed) {
    const std::uint32_t status = printer_.Get(name, type, buffer, size, needed);
    if (status == kInvalidHandleError) unreadable_ = true;
    return status;
}

std::uint32_t PageStore::Set(const wchar_t* name, std::uint32_t type, const unsigned char* data,
                             std::uint32_t size) {
    if (readOnly()) return kAccessDeniedError;
    const std::uint32_t status = printer_.Set(name, type, data, size);
    if (status != 0) writeRefused_ = true;
    return status;
}

}  // namespace zelt
