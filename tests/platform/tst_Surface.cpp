#include "platform/Surface.h"

#include <gtest/gtest.h>

namespace {

using platform::Surface;

// The golden views pin the bottom-up layout of even widths; odd ones pad their rows.
TEST(Surface, RowsArePaddedToFourBytes) {
    EXPECT_EQ(Surface(1, 1).Stride(), 4);
    EXPECT_EQ(Surface(3, 4).Stride(), 8);
}

} // namespace
