#pragma once

#include "platform/Windows.h"

// The spline-point window: the roll dial of the selected course point, one bordered child
// window of the main window with a front camera of its own whose zoom alone ever changes.
// A press with the edit tool grips the roll point or the handle's end; the grip then holds
// until another part is pressed, so a later drag anywhere in the window acts on it.
namespace SpPointWindow {

// Registers the class, creates the window and joins the view layout.
void Create(platform::WindowHandle parent);
// Releases every record's surface and the table, and unregisters the class.
void Destroy();

// The window of view number 0; any other number is reported.
platform::WindowHandle GetWindow(int number);
// Moves the window; the zoom follows the new width so the dial keeps its relative size.
void Place(int x, int y, int width, int height);
// 0 shows the window, 1 hides it; any other flag is reported.
void SetVisible(int flag);
void Redraw();

} // namespace SpPointWindow
