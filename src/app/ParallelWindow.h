#pragma once

#include "platform/Windows.h"
#include "render/CameraControl.h"

// The top, side and front view windows: one window class whose three windows each keep a
// parallel camera with its own surface, draw the course through it and edit the course
// with the tool panel's current tool. Views are addressed by number: 0 top, 1 side,
// 2 front.
namespace ParallelWindow {

// Registers the class, makes the three windows in the parent and joins them to the layout.
void Create(platform::WindowHandle parent);
// Releases the records left, with their surfaces, and unregisters the class, so that the
// designer can be started again in the same process.
void End();

platform::WindowHandle GetWindow(int view);
// Moves the view to the rectangle (parent client pixels), rescaling its zoom by the new
// client width over the old one so that the same world width stays in sight.
void Place(int view, int x, int y, int width, int height);
void GetClientSize(int view, int& width, int& height);
void Redraw(int view);
// Shows the view; a showCamera other than 0 also marks the perspective camera's place.
void Show(int view, int showCamera);
void Hide(int view);
// Fits the course's road into each of the three views, or centres each on the place, zoom
// unchanged; the caller redraws.
void FitCourse();
void CentreOn(const Vec3d& place);
// Whether the top view draws the curvature comb; it does not at first. The top view
// always rings the inspector's warnings.
void ShowComb(bool show);
bool IsCombShown();
// The view's camera, to map between its pixels and the world.
const CameraControl& GetCamera(int view);

} // namespace ParallelWindow
