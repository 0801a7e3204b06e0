#pragma once

class CameraControl;

// What a gesture in the spline-point window does with the current tool: a press with the
// edit tool grips the roll point or the roll handle's end, an edit drag turns the roll or
// changes its slope for the selected point, a zoom drag scales the dial. Each operation is
// handed the current tool and says whether the views need redrawing.
namespace SpPointControl {

// Edit tool: the dial part under the mouse becomes the grip (the grip stays when nothing
// is hit); true for the edit tool whether or not something was hit.
bool LeftPress(const CameraControl& camera, int tool, int x, int y, int& grip);

// A left drag by dy pixels (down is positive); horizontal movement does not count.
bool Drag(CameraControl& camera, int tool, int grip, int dy);

} // namespace SpPointControl
