#pragma once

#include <cstdint>
#include <memory>
#include <span>

// Reads uncompressed bitmap files (8 bits per pixel with a colour table, or 24 bits) into a
// plain top-down pixel array in a display format: rows from top to bottom, each exactly
// width pixels, no padding. Depth 16 gives one little-endian 15-bit word per pixel (red in
// bits 14-10, green 9-5, blue 4-0, the top five bits of each component); depth 24 gives the
// three bytes red, green, blue.
namespace BMPFile {

struct Picture {
    std::unique_ptr<std::uint8_t[]> data;
    std::int32_t width = 0;
    std::int32_t height = 0; // rows of data; a top-down file's negative height is made positive
    std::uint32_t size = 0;  // bytes of data: width x height x bytes per pixel
};

// Decodes a whole file held in memory. Returns nullptr with the picture filled in, or the
// reason for refusing the file, which is the text of the report Load makes of it. Nothing
// outside the bytes is read, and the pixel array is the only allocation, never larger than
// three times the file:
// - the type must be "BM", the compression 0, the bit count 8 or 24, the information header
//   at least 40 bytes long and the width and height not zero (a negative height means
//   top-down rows);
// - an 8-bit file's colour table (its used-colour count of entries, or 256 when that is 0)
//   must lie in the file before the pixel rows; a pixel whose index lies beyond the table
//   reads as black;
// - the rows, each padded to 4 bytes, start at the header's pixel-data offset when they fit
//   there; a file whose offset points elsewhere has its rows taken to end the file. Rows
//   that fit neither way make the file too short for its dimensions, which is refused.
const char* Decode(std::span<const std::uint8_t> file, int depth, Picture& picture);

// Reads the file at path in the given target depth (16 or 24) and returns its pixel array,
// writing width, height and size in bytes. A refused file, a target depth other than 16 or
// 24, or a file that cannot be opened or read is reported to the error log with the tag
// "BMPFile1" at reportLevel: level 3 ends the process; a lower level returns nullptr with
// width, height and size 0, for callers that can do without the picture.
std::unique_ptr<std::uint8_t[]> Load(const char* path, std::int32_t& width, std::int32_t& height,
                                     std::uint32_t& size, int depth, unsigned reportLevel = 3);

} // namespace BMPFile
