#pragma once

#include "base/VectorMath.h"

class CameraControl;

// The course unrolled along its length for the expanded views. A place on the course at
// distance s from point 0, with height y and lateral offset w, becomes the developed
// point (w, y, s). The distance is summed sample by sample over the course's own sampling:
// in space for the expanded top view, in the ground plane for the expanded side view, so
// a course that climbs is longer in the first than in the second.
namespace DevelopedCourse {

enum Measure { InSpace, OnGround };

// A place on the centre line and its distance along the course.
struct Station {
    Vec3d position;
    double along;
};

// A screen position on a view's surface.
struct Pixel {
    int x;
    int y;
};

// The two ends of a handle: ahead along the course (+) and behind it (-).
struct HandleEnds {
    Vec3d ahead;
    Vec3d behind;
};

// A segment is walked in its sample count + 1 steps, t = step / steps for step 1 .. steps.
int StepsOf(int segment);
double ParameterOf(int step, int steps);

// The point itself at the distance it has been reached at.
Station PointStation(int point, double along);
// The sample `step` of the segment, the distance from `previous` added.
Station NextStation(const Station& previous, int segment, int step, int steps, Measure measure);
// The distance reached at the end of the segment that starts at `along`, summed exactly as
// the drawing sums it.
double AlongAfter(int segment, double along, Measure measure);
// The distance at which segment `segment` starts, summed the same way from point 0; the
// segment count gives the whole course's length.
double AlongToSegment(int segment, Measure measure);

// The selected side's width handle of a point at its distance: its ends lie 40 units ahead
// and behind along the course, displaced sideways by the width tangent. Side 0 is side A
// (negative offsets), 1 side B.
HandleEnds WidthHandle(int point, int side, double along);
// The height handle of a point: 0.3 of its handle vector, the horizontal part laid along
// the course.
HandleEnds HeightHandle(int point, double along);

// The screen pixel of a world point. A far-away point is held to a range the drawing
// clips, so it never wraps round into the view.
Pixel Project(const CameraControl& camera, const Vec3d& world);

} // namespace DevelopedCourse
