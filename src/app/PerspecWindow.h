#pragma once

#include "platform/Windows.h"
#include "render/PerspecCamera.h"

// The driver's-eye view: one bordered child window of the main window with the wireframe
// and texture button bar across its top. It keeps a perspective camera with its own
// surface, renders the course into it in the bar's mode and shows it below the bar.
// Dragging up with the left button moves the course's camera position forward along the
// course, 200 pixels to a whole segment.
namespace PerspecWindow {

// Registers the class, creates the window with its button bar, registers the road texture
// with the picture bank and joins the view layout. Creating a second window is reported.
void Create(platform::WindowHandle parent);
// Destroys the window if its parent has not, forgets the texture, releases the records left
// and unregisters the class, so that the designer can be started again in the same process.
void End();

platform::WindowHandle GetWindow();
// Moves the window to the rectangle (parent client pixels) and stretches the bar across it.
void Move(int x, int y, int width, int height);
void GetClientSize(int& width, int& height);
void Show();
void Hide();
// Renders the course into the camera's surface and shows it at once.
void Redraw();
// The window's camera.
const PerspecCamera& GetCamera();

} // namespace PerspecWindow
