#pragma once

class CameraControl;

// What a mouse gesture in the top, side or front view does with the current tool: pick,
// add, delete and drag points and handles, change a segment's sample count or the course's
// width scale, pan or zoom the view. Each operation is handed the tool and returns whether
// the course or the view changed, that is whether the views are to be redrawn.
namespace ParallelControl {

// World units a point or handle moves per pixel of drag, whatever the zoom.
constexpr double MoveStep = 0.8;

// A left release; dragged tells that the pointer moved with the button held, in which case
// nothing is picked or added.
bool LeftRelease(const CameraControl& camera, int tool, int x, int y, bool dragged);

bool RightPress(const CameraControl& camera, int tool, int x, int y);

// A move with the left button alone held, by (dx, dy) pixels since the previous message.
bool Drag(CameraControl& camera, int tool, int dx, int dy);

} // namespace ParallelControl
