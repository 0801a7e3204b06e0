#include "platform/Presentation.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(PresentationTest, FiveBitChannelsSpreadOverTheFullEightBitRange) {
    EXPECT_EQ(ToRgb888(0x0000), 0xFF000000u);
    EXPECT_EQ(ToRgb888(0x7FFF), 0xFFFFFFFFu);
    // 1 -> 8, 16 -> 132, 30 -> 247: (c << 3) | (c >> 2).
    EXPECT_EQ(ToRgb888(static_cast<Colour15>((1 << 10) | (16 << 5) | 30)), 0xFF0884F7u);
}

TEST(PresentationTest, RowsComeOutTopFirstFromTheBottomUpSurface) {
    Surface surface(3, 2);
    surface.SetPixel(0, 0, 0x001F);
    surface.SetPixel(2, 1, 0x03E0);
    std::uint32_t out[2 * 4] = {};
    ConvertToRgb888(surface, out, 4);
    EXPECT_EQ(out[0], 0xFF0000FFu);
    EXPECT_EQ(out[4 + 2], 0xFF00FF00u);
    EXPECT_EQ(out[3], 0u); // the stride's padding stays untouched
}
