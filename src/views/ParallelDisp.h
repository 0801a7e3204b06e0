#pragma once

class CameraControl;

// Drawing and hit testing of the top, side and front views: the ground grid, the road's
// cross-sections and edges, the centre line, the selected point's handle, the point
// markers and the perspective camera's place, all projected through the view's parallel
// camera into its surface. Everything is recomputed from the course on every call.
namespace ParallelDisp {

// The handle ends of the selected point lie this fraction of its tangent either side of it.
constexpr double HandleReach = 0.3;

// Draws the whole view into the camera's surface; a camera without a surface draws
// nothing. With showCamera 1 the perspective camera's place is stamped too.
void Draw(CameraControl& camera, int showCamera);

// The first point, in index order, whose marker lies under the mouse; -1 for none.
int FindPoint(const CameraControl& camera, int x, int y);

// Which end of the selected point's handle lies under the mouse: CourseData::HandleForward
// or CourseData::HandleBackward, the forward end first; -1 for none. A course of fewer
// than two points shows no handle, so none is found there either.
int FindHandle(const CameraControl& camera, int x, int y);

// Adds a course point where the mouse is, at the camera's own depth; its index, or -1
// when the course model refused it.
int AddPointAt(const CameraControl& camera, int x, int y);

} // namespace ParallelDisp
