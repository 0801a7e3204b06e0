#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace platform {

// Pixel memory is handed to code that writes 16-bit little-endian words byte by byte.
static_assert(std::endian::native == std::endian::little);

// 15-bit colour: bit 15 unused, red in bits 14-10, green 9-5, blue 4-0.
using Colour15 = std::uint16_t;

// Keeps the top five bits of each 8-bit channel.
constexpr Colour15 Rgb15(int r, int g, int b) {
    return static_cast<Colour15>((((r >> 3) & 31) << 10) | (((g >> 3) & 31) << 5) |
                                 ((b >> 3) & 31));
}

// A 16-bit pixel store laid out as a bottom-up device-independent bitmap: the first row
// in memory is the bottom row of the picture and every row is padded to 4 bytes. Picture
// coordinates are top-down; Pixel, SetPixel and Row take coordinates on the surface.
class Surface {
public:
    // Throws std::bad_alloc when the size cannot be held in memory.
    Surface(int width, int height);

    int Width() const { return width; }
    int Height() const { return height; }
    int Stride() const { return rowWords * 2; }
    std::uint8_t* Bits() { return reinterpret_cast<std::uint8_t*>(pixels.data()); }
    const std::uint8_t* Bits() const {
        return reinterpret_cast<const std::uint8_t*>(pixels.data());
    }

    Colour15 Pixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, Colour15 c) { Row(y)[x] = c; }
    Colour15* Row(int y) { return pixels.data() + RowOffset(y); }
    const Colour15* Row(int y) const { return pixels.data() + RowOffset(y); }

private:
    std::size_t RowOffset(int y) const {
        return static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(rowWords);
    }

    int width;
    int height;
    int rowWords; // stride in 16-bit words
    std::vector<Colour15> pixels;
};

} // namespace platform
