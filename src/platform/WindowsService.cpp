#include "platform/WindowsService.h"

#include "base/Error.h"

#include <new>

namespace platform::WindowsService {

void CreateBackBuffer(BackBuffer& buffer, int width, int height) {
    // The old surface goes first, so a resize never holds two surfaces at once.
    buffer = BackBuffer{};
    buffer.context = std::make_unique<DrawContext>();
    if (width < 1 || height < 1) {
        return;
    }
    try {
        buffer.surface = std::make_unique<Surface>(width, height);
    } catch (const std::bad_alloc&) {
        Error::Fatal("WindowsService1", "メモリの獲得に失敗");
    }
    buffer.context->SelectSurface(buffer.surface.get());
    buffer.pixels = buffer.surface->Bits();
}

} // namespace platform::WindowsService
