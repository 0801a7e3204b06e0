#include "app/CameraView.h"

namespace CameraView {

void Present(platform::WindowHandle window, const CameraControl& camera) {
    const platform::Rect client = platform::GetClientRect(window);
    platform::DrawContext& target = platform::BeginPaint(window);
    if (const platform::DrawContext* picture = camera.GetSurface()) {
        target.BitBlt(0, 0, client.right, client.bottom, *picture, 0, 0,
                      platform::RasterOp::SourceCopy);
    }
    platform::EndPaint(window);
}

// The frame around the client area keeps its size, so the new client width is the new
// outer width less the frame.
void RescaleZoom(platform::WindowHandle window, CameraControl& camera, int newOuterWidth) {
    const platform::Rect client = platform::GetClientRect(window);
    const platform::Rect outer = platform::GetWindowRect(window);
    const int newClientWidth = newOuterWidth - ((outer.right - outer.left) - client.right);
    if (client.right > 0 && newClientWidth > 0) {
        camera.SetZoom(camera.GetZoom() * newClientWidth / client.right);
    }
}

} // namespace CameraView
