#include "platform/Surface.h"

#include <gtest/gtest.h>

namespace {

using platform::Rgb15;
using platform::Surface;

TEST(Surface, Rgb15KeepsTheTopFiveBitsOfEachChannel) {
    EXPECT_EQ(Rgb15(255, 0, 0), 0x7C00);
    EXPECT_EQ(Rgb15(0, 255, 0), 0x03E0);
    EXPECT_EQ(Rgb15(7, 8, 255), 0x003F); // 7 >> 3 is 0, 8 >> 3 is 1
}

TEST(Surface, RowsLieBottomUpPaddedToFourBytes) {
    EXPECT_EQ(Surface(1, 1).Stride(), 4);
    EXPECT_EQ(Surface(4, 1).Stride(), 8);
    Surface s(3, 4);
    EXPECT_EQ(s.Stride(), 8); // 6 bytes of pixels, 2 of padding
    EXPECT_EQ(s.Pixel(1, 2), 0);
    s.SetPixel(0, 3, Rgb15(255, 0, 0));
    s.SetPixel(2, 0, 0x1234);
    // The bottom-left pixel comes first in memory, as a little-endian word; the top row last.
    const std::uint8_t* bits = s.Bits();
    EXPECT_EQ(bits[0], 0x00);
    EXPECT_EQ(bits[1], 0x7C);
    EXPECT_EQ(bits[3 * 8 + 4], 0x34);
    EXPECT_EQ(bits[3 * 8 + 5], 0x12);
}

} // namespace
