#pragma once

#include "platform/DrawContext.h"
#include "platform/Surface.h"

#include <cstdint>
#include <memory>

namespace platform {

// A view's off-screen picture: a surface selected into a drawing context of its own.
// pixels is the surface's memory, which the texture engine writes directly.
struct BackBuffer {
    std::unique_ptr<DrawContext> context;
    std::unique_ptr<Surface> surface;
    std::uint8_t* pixels = nullptr;
};

namespace WindowsService {

// Replaces what the buffer holds by a new surface of the size selected into a new context.
// A width or height below 1 leaves a context with no surface selected and no pixels, so
// drawing on a view of no size does nothing. A surface too big for memory is reported
// through the error log, which ends the program.
void CreateBackBuffer(BackBuffer& buffer, int width, int height);

} // namespace WindowsService
} // namespace platform
