#pragma once

#include <cstdint>
#include <span>
#include <vector>

// PNG encoding of pictures held as rows of red, green and blue bytes.
namespace PngImage {

// The PNG file of a width × height picture whose rows run top to bottom, three bytes a
// pixel, unpadded; empty when the picture is empty or libpng fails.
std::vector<std::uint8_t> EncodeRgb(std::span<const std::uint8_t> rgb, int width, int height);

} // namespace PngImage
