// A minimal PNG encoder for screenshots: 8-bit RGB, one IDAT of stored
// (uncompressed) deflate blocks. Size does not matter here; the run script
// recompresses the files when ImageMagick is at hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zelt::host {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel
};

// `left` and `right` next to each other, `gap` grey columns between them,
// tops aligned; the shorter one padded below in grey. Empty when either
// image's pixel buffer does not match its size.
RgbImage SideBySide(const RgbImage& left, const RgbImage& right, int gap);

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);

// Empty when the image is empty or its pixel buffer does not match its size.
std::vector<std::uint8_t> EncodePng(const RgbImage& image);

bool WritePngFile(const std::wstring& path, const RgbImage& image, std::wstring& error);

}  // namespace zelt::host
