#pragma once

class CameraControl;

// What a mouse gesture in an expanded view does with each tool: the edit tool selects a
// point's side or handle end on a click and, dragged, changes the selected side's width
// or width handle (top view) or the selected point's height or height handle (side view),
// 0.8 world units per pixel; the camera tools pan along the course and zoom. Each
// operation is handed the current tool and returns whether the views must be redrawn.
// Points are never added or deleted here.
namespace ExpandControl {

// A left release at (x, y); `dragged` when the press began a drag, which selects nothing.
bool LeftRelease(const CameraControl& camera, int tool, int x, int y, bool dragged);
// A right press at (x, y): with the edit tool on an end of the selected point's handle,
// that handle becomes automatic again.
bool RightPress(const CameraControl& camera, int tool, int x, int y);
// A move of (dx, dy) pixels with the left button alone held.
bool Drag(CameraControl& camera, int tool, int dx, int dy);

} // namespace ExpandControl
