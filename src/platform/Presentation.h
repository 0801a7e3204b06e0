#pragma once

#include "platform/Surface.h"

#include <cstdint>

// How a 16-bit surface shows on a true-colour display: each 5-bit channel c becomes the
// 8-bit (c << 3) | (c >> 2), so black stays 0 and full intensity becomes 255.
namespace platform {

std::uint32_t ToRgb888(Colour15 colour);

// Writes the surface top row first as 0xFFRRGGBB pixels, destStride pixels apart.
void ConvertToRgb888(const Surface& surface, std::uint32_t* dest, int destStride);

} // namespace platform
