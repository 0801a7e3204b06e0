#pragma once

#include "base/VectorMath.h"
#include "model/CourseSurface.h"
#include "views/DevelopedCourse.h"

#include <optional>

class CameraControl;

// Bringing the course into sight: the boxes that hold the course in the world and in the
// developed views, and the camera moves that fit a box to a view or centre a place in it.
namespace ViewFit {

// The part of the view's width or height that a fitted box fills.
constexpr double Fill = 0.9;

// The road: every course row's centre and edges; none for a course without points.
std::optional<Box> CourseBox();
// The course as a developed view shows it: lateral offsets of the two sides, heights,
// and the distance along the course measured as the view measures it.
std::optional<Box> DevelopedBox(DevelopedCourse::Measure measure);
// Where point `index` lies in a developed view: on the centre line at its distance along.
Vec3d DevelopedPlace(int index, DevelopedCourse::Measure measure);

// Centres a parallel camera on the box and zooms so that the box fills the view along the
// tighter of the two screen axes. A box flat along both screen axes keeps the zoom.
void FitBox(CameraControl& camera, const Box& box);
// Centres a parallel camera on the place, zoom unchanged.
void CentreOn(CameraControl& camera, const Vec3d& place);

} // namespace ViewFit
