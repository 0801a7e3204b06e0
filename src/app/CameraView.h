#pragma once

#include "platform/Windows.h"
#include "render/CameraControl.h"

// What the view windows that show a camera's surface share.
namespace CameraView {

// Copies the camera's drawn surface to the window's client area.
void Present(platform::WindowHandle window, const CameraControl& camera);

// Keeps the same world width in view when the window is about to take a new outer width:
// the zoom scales by new client width / old client width. Without a width on either side
// the zoom stays as it was, so a layout that squeezes a view to nothing cannot turn the
// zoom into infinity or NaN for good.
void RescaleZoom(platform::WindowHandle window, CameraControl& camera, int newOuterWidth);

} // namespace CameraView
