#include "png_writer.h"

#include <windows.h>

#include <algorithm>
#include <array>

#include "host_error.h"

namespace zelt::host {
namespace {

std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& body) {
    PutBigEndian(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, Crc32(out.data() + typeStart, out.size() - typeStart));
}

// zlib stream of stored blocks (at most 65535 bytes each).
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out{0x78, 0x01};
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min<std::size_t>(65535, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length));
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(~length));
        out.push_back(static_cast<std::uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + length);
        offset += length;
    } while (offset < raw.size());
    PutBigEndian(out, Adler32(raw.data(), raw.size()));
    return out;
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = MakeCrcTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint32_t kModulus = 65521;
    std::uint32_t a = 1, b = 0;
    for (std::size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % kModulus;
        b = (b + a) % kModulus;
    }
    return (b << 16) | a;
}

namespace {

bool IsWhole(const RgbImage& image) {
    return image.width > 0 && image.height > 0 &&
           image.rgb.size() == static_cast<std::size_t>(image.width) * image.height * 3;
}

}  // namespace

RgbImage SideBySide(const RgbImage& left, const RgbImage& right, int gap) {
    constexpr std::uint8_t kGrey = 0x80;
    if (!IsWhole(left) || !IsWhole(right) || gap < 0) return {};
    RgbImage both;
    both.width = left.width + gap + right.width;
    both.height = left.height > right.height ? left.height : right.height;
    both.rgb.assign(static_cast<std::size_t>(both.width) * both.height * 3, kGrey);
    const std::size_t rightAt = static_cast<std::size_t>(left.width + gap) * 3;
    for (int y = 0; y < both.height; ++y) {
        const auto row = both.rgb.begin() + static_cast<std::size_t>(y) * both.width * 3;
        if (y < left.height) {
            const auto from = left.rgb.begin() + static_cast<std::size_t>(y) * left.width * 3;
            std::copy(from, from + left.width * 3, row);
        }
        if (y < right.height) {
            const auto from = right.rgb.begin() + static_cast<std::size_t>(y) * right.width * 3;
            std::copy(from, from + right.width * 3, row + rightAt);
        }
    }
    return both;
}

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
    if (!IsWhole(image)) return {};
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    std::vector<std::uint8_t> raw;
    raw.reserve((rowBytes + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);  // filter: none
        const auto row = image.rgb.begin() + y * rowBytes;
        raw.insert(raw.end(), row, row + rowBytes);
    }

    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBigEndian(header, static_cast<std::uint32_t>(image.width));
    PutBigEndian(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit, truecolour, deflate, no filter set, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});
    return png;
}

bool WritePngFile(const std::wstring& path, const RgbImage& image, std::wstring& error) {
    const std::vector<std::uint8_t> png = EncodePng(image);
    if (png.empty()) {
        error = L"no picture to write to " + path;
        return false;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = Win32Failure(L"creating " + path);
        return false;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr);
    const DWORD code = GetLastError();
    CloseHandle(file);
    if (!ok || written != png.size()) {
        error = Win32Failure(L"writing " + path, ok ? ERROR_WRITE_FAULT : code);
        return false;
    }
    return true;
}

}  // namespace zelt::host
