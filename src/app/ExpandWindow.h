#pragma once

#include "platform/Windows.h"
#include "render/CameraControl.h"

// The expanded top and expanded side view windows: one window class, a view record with
// a camera per window, and one mouse protocol shared by the two. Gestures are handed to
// ExpandControl with the tool panel's current tool; after a change every shown view is
// redrawn. The views join the layout as ExpandTopView and ExpandSideView.
namespace ExpandWindow {

constexpr const char* ClassName = "ExpandWindow_expandwnd1";

// View numbers.
enum View { ExpandTop = 0, ExpandSide = 1 };

// Registers the class, creates both windows as children of the parent and joins them to
// the layout.
void Create(platform::WindowHandle parent);
// Destroys windows still alive, releases the records left with their surfaces, and the
// class, so that Create may run again.
void End();

// Any other view number is reported and ends the program.
platform::WindowHandle GetWindow(int view);
// Moves and resizes the window; the zoom follows the client width, so that the same
// world width stays visible.
void Place(int view, int x, int y, int width, int height);
void GetClientSize(int view, int& width, int& height);
void Redraw(int view);
void Show(int view);
void Hide(int view);
// Fits the whole developed course into both views along their length, or centres both on
// point `index`, zoom unchanged; the caller redraws.
void FitCourse();
void FramePoint(int index);
// The view's camera, for tests and tools that map the mouse themselves.
const CameraControl& GetCamera(int view);

} // namespace ExpandWindow
