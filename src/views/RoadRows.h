#pragma once

#include "base/VectorMath.h"
#include "model/CourseData.h"

#include <span>

// The road's rows of one segment in world space, as the parallel views draw them: the
// cross-section at the segment's start point, then one at each of its samples. They depend
// on the course alone, and a layout draws its top, side and front views one after another
// from the same course, so each segment's rows are kept with the curves they came from and
// computed again only when those differ in any bit. Segments of very many samples are
// computed every time instead of kept.
namespace RoadRows {

struct Row {
    Vec3d centre;
    Vec3d edge1;
    Vec3d edge2;
};

// Row 0 at the start point, row k at t = k / steps for k = 1..steps; valid until the next
// call.
std::span<const Row> Of(int segment, const CourseData::SegmentCurves& curves, int steps);

} // namespace RoadRows
