#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The two headers that open a bitmap file, little-endian: the 14-byte file header ("BM",
// file size, pixel-data offset) and the 40-byte information header (its size, width,
// height, planes, bits per pixel, compression, image size, resolution, colours used and
// important). Read by the compiled-in bitmaps and the bitmap file reader, written by the
// image writer.
namespace BitmapHeader {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::size_t HeadersSize = FileHeaderSize + InfoHeaderSize;

struct Fields {
    std::uint32_t pixelOffset;
    std::uint32_t infoSize;
    std::int32_t width;
    std::int32_t height; // negative for rows stored top-down
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t coloursUsed;
};

// The fields of a file's headers; nothing when the file is shorter than both headers or
// does not start with "BM". Whether the values make sense is the reader's to decide.
std::optional<Fields> Read(std::span<const std::uint8_t> file);

// The headers of an uncompressed bottom-up bitmap of imageSize bytes of pixels that follow
// them at once.
std::vector<std::uint8_t> Write(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                                std::uint32_t imageSize);

} // namespace BitmapHeader
