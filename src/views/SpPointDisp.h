#pragma once

class CameraControl;

// The roll dial of the spline-point window: a circle about the view's centre, a point on it
// at the selected course point's roll, and a short handle along the circle's tangent whose
// length is the roll's slope along the course. Draws into a front camera's surface and
// tells which part of the dial lies under the mouse. Recomputed from the course each time.
namespace SpPointDisp {

// What of the dial is held: the roll point or the end of the roll handle.
enum Grip { GripRoll = 1, GripHandle = 2 };

// Dial positions in surface pixels.
struct Dial {
    int centreX, centreY;
    int rollX, rollY;     // the point at the roll angle
    int baseX, baseY;     // where the handle starts, just outside the roll point's marker
    int handleX, handleY; // the handle's end
};

// The dial of a roll (radians) and roll slope on a surface of the size at the zoom. The
// circle's radius grows with the zoom; the handle's length (10 pixels per unit of slope)
// does not.
Dial MakeDial(int width, int height, double zoom, double roll, double slope);

// The whole view: cross, circle, and the selected point's roll with the grip's stamp.
void Draw(CameraControl& camera, int grip);

// GripRoll or GripHandle for the part under the mouse (the roll point wins), 0 for none
// or without a selected point.
int HitDial(const CameraControl& camera, int x, int y);

// Remakes the surface at the new size, scaling the zoom by new width / old width so that
// the dial keeps its size relative to the window. A width of zero or less on either side
// keeps the zoom.
void FitSurface(CameraControl& camera, int width, int height);

} // namespace SpPointDisp
