#include "platform/WindowsService.h"

#include <gtest/gtest.h>

namespace {

using platform::BackBuffer;
using platform::WindowsService::CreateBackBuffer;

// A view of no size gets no surface, but a context all the same: drawing through it does nothing.
TEST(WindowsService, EachCallLeavesOneFreshSurfaceOrNoneSelectedIntoItsContext) {
    BackBuffer buffer;
    CreateBackBuffer(buffer, 3, 2);
    buffer.pixels[1] = 0x7C; // pure red into the first pixel of memory: the bottom-left one
    EXPECT_EQ(buffer.surface->Pixel(0, 1), platform::Rgb15(255, 0, 0));
    CreateBackBuffer(buffer, 7, 5);
    ASSERT_NE(buffer.surface, nullptr);
    EXPECT_EQ(buffer.surface->Width(), 7);
    EXPECT_EQ(buffer.surface->Height(), 5);
    EXPECT_EQ(buffer.context->GetSurface(), buffer.surface.get());
    EXPECT_EQ(buffer.pixels, buffer.surface->Bits());
    EXPECT_EQ(buffer.pixels[1], 0);
    for (auto [width, height] : {std::pair{0, 5}, {5, 0}, {-3, 4}}) {
        CreateBackBuffer(buffer, 4, 4);
        CreateBackBuffer(buffer, width, height);
        EXPECT_EQ(buffer.surface, nullptr);
        EXPECT_EQ(buffer.pixels, nullptr);
        ASSERT_NE(buffer.context, nullptr);
        EXPECT_EQ(buffer.context->GetSurface(), nullptr);
    }
}

} // namespace
