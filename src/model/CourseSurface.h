#pragma once

#include "base/VectorMath.h"
#include "model/CourseData.h"

#include <cstdint>

// The road surface, derived from the course by cutting it across at sample places: each
// cross-section turns a centre-line position, tangent, two widths and a roll into the
// road's two edge points, and the course rows are the cross-sections that the mesh export
// and the views share.

// E1 = P + w1·side′ and E2 = P − w2·side′, where side′ is the horizontal unit vector
// perpendicular to the tangent, rolled by r about the tangent (a positive roll lifts E1).
void CalcCourseEdge(const Vec3d& position, const Vec3d& tangent, double width1, double width2,
                    double roll, Vec3d& edge1, Vec3d& edge2);

// The centre line and road at one place, widths already scaled.
struct CourseSection {
    Vec3d position;
    Vec3d tangent;
    double width1;
    double width2;
    double roll;
};

// Point `index` itself: its position, handle, scaled widths and roll.
CourseSection GetPointSection(int index);
CourseSection GetCourseSection(int segment, double t);
// GetCourseSection of the segment whose curves these are.
CourseSection SectionAt(const CourseData::SegmentCurves& curves, double t);
void CalcSectionEdge(const CourseSection& section, Vec3d& edge1, Vec3d& edge2);
// The road's up direction at the cross-section, a unit vector across the road and square
// to the tangent, rolled with it: up′ = cos r · up − sin r · side. A section without a
// direction faces straight up.
Vec3d CalcSectionNormal(const CourseSection& section);

struct Box {
    Vec3d low;
    Vec3d high;
};

// A box holding the segment's centre line for t in 0..1 and, with the road, the edges of
// every cross-section along it, the one at its start point included. False, and no box,
// when the curves hold a number that is not finite.
[[nodiscard]] bool BoundSegment(const CourseData::SegmentCurves& curves, bool withRoad, Box& box);

// 1 + Σ (k_i + 1) over the segments for a course with points, 0 for an empty one.
int64_t GetCourseRowNum();

// Visits every course row in order, with the segment and t it lies at: row 0 at point 0
// (segment 0, t 0), then for each segment its k + 1 rows at t = dt, 2·dt, … (t advanced
// by repeated addition of dt = 1 / (k + 1)).
template <class Visit> void ForEachCourseRowAt(Visit&& visit) {
    if (CourseData::GetPointNum() == 0) {
        return;
    }
    visit(0, 0.0, GetPointSection(0));
    const int segments = CourseData::GetSegmentNum();
    for (int segment = 0; segment < segments; ++segment) {
        const CourseData::SegmentCurves curves = CourseData::GetSegmentCurves(segment);
        const int steps = CourseData::GetSampleNum(segment) + 1;
        const double dt = 1.0 / steps;
        double t = 0.0;
        for (int step = 0; step < steps; ++step) {
            t += dt;
            visit(segment, t, SectionAt(curves, t));
        }
    }
}

// ForEachCourseRowAt, each row's section alone.
template <class Visit> void ForEachCourseRow(Visit&& visit) {
    ForEachCourseRowAt([&visit](int, double, const CourseSection& section) { visit(section); });
}
