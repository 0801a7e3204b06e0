#include "platform/Presentation.h"

namespace platform {

namespace {

std::uint32_t Expand5(unsigned channel) {
    return (channel << 3) | (channel >> 2);
}

} // namespace

std::uint32_t ToRgb888(Colour15 colour) {
    const std::uint32_t red = Expand5((colour >> 10) & 31u);
    const std::uint32_t green = Expand5((colour >> 5) & 31u);
    const std::uint32_t blue = Expand5(colour & 31u);
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

void ConvertToRgb888(const Surface& surface, std::uint32_t* dest, int destStride) {
    for (int y = 0; y < surface.Height(); ++y) {
        const Colour15* row = surface.Row(y);
        std::uint32_t* out = dest + static_cast<std::ptrdiff_t>(y) * destStride;
        for (int x = 0; x < surface.Width(); ++x) {
            out[x] = ToRgb888(row[x]);
        }
    }
}

} // namespace platform
