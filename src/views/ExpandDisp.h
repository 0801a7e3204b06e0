#pragma once

#include "base/VectorMath.h"
#include "views/DevelopedCourse.h"

class CameraControl;

// Drawing and hit-testing of the expanded views, chosen by the camera's state: the top
// camera (1) shows the course as a straight strip running up the view with its two width
// sides and the selected side's width handle; the side camera (2) shows the height profile
// running to the right with the height handle. Any other state is reported.
namespace ExpandDisp {

// What Find reports of the side of the strip that was hit.
enum SideCode { NoSide = -1, SideA = 2, SideB = 3 };
// Which end of a handle was hit.
enum HandleEnd { NoEnd = -1, EndAhead = 0, EndBehind = 1 };

struct Found {
    int index; // the point, -1 for nothing
    int side;  // SideCode; always NoSide in the side view
    int end;   // HandleEnd
};

// Screen positions of a point's centre and its two edges at a distance along the course.
struct DevelopedPixels {
    DevelopedCourse::Pixel centre;
    DevelopedCourse::Pixel sideA;
    DevelopedCourse::Pixel sideB;
};

void Draw(CameraControl& camera);
// Only the points that start a segment are matched: the last point of an open course
// never is.
Found Find(const CameraControl& camera, int x, int y);
DevelopedPixels DevelopPoint(const CameraControl& camera, const Vec3d& centre, double widthA,
                             double widthB, double along);

} // namespace ExpandDisp
