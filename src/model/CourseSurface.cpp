#include "model/CourseSurface.h"

#include <cmath>

void CalcCourseEdge(const Vec3d& position, const Vec3d& tangent, double width1, double width2,
                    double roll, Vec3d& edge1, Vec3d& edge2) {
    const double tx = tangent.x;
    const double ty = tangent.y;
    const double tz = tangent.z;
    const double h = std::sqrt(tx * tx + tz * tz);
    const double l = std::sqrt(tx * tx + ty * ty + tz * tz);
    if (h == 0.0 && l == 0.0) {
        edge1 = position;
        edge2 = position;
        return;
    }
    // Heading as sine and cosine; a vertical tangent takes the x axis as its side.
    const double s = h != 0.0 ? tz / h : 1.0;
    const double c = h != 0.0 ? -tx / h : 0.0;
    // Pitch as sine and cosine.
    const double a = ty / l;
    const double b = h / l;
    const Vec3d side{s, 0.0, c};
    const Vec3d up{c * a, b, -s * a};
    // Roll about the forward axis: side′ = cos r · side + sin r · up.
    const double cr = std::cos(roll);
    const double sr = std::sin(roll);
    Vec3d rolled{};
    Vec3d lift{};
    Add(rolled, Scale(rolled, side, cr), Scale(lift, up, sr));
    Vec3d offset{};
    Add(edge1, position, Scale(offset, rolled, width1));
    Sub(edge2, position, Scale(offset, rolled, width2));
}

CourseSection GetPointSection(int index) {
    CourseSection s{};
    CourseData::GetPosition(index, s.position.x, s.position.y, s.position.z);
    int32_t fx = 0;
    int32_t fy = 0;
    int32_t fz = 0;
    CourseData::GetTangent(index, s.tangent.x, s.tangent.y, s.tangent.z, fx, fy, fz);
    CourseData::GetWidth(index, s.width1, s.width2);
    CourseData::GetRoll(index, s.roll);
    return s;
}

CourseSection GetCourseSection(int segment, double t) {
    CourseSection s{};
    CourseData::GetCoursePosition(segment, t, s.position.x, s.position.y, s.position.z);
    CourseData::GetCourseTangent(segment, t, s.tangent.x, s.tangent.y, s.tangent.z);
    CourseData::GetCourseWidth(segment, t, s.width1, s.width2);
    CourseData::GetCourseRoll(segment, t, s.roll);
    return s;
}

void CalcSectionEdge(const CourseSection& section, Vec3d& edge1, Vec3d& edge2) {
    CalcCourseEdge(section.position, section.tangent, section.width1, section.width2, section.roll,
                   edge1, edge2);
}

int64_t GetCourseRowNum() {
    if (CourseData::GetPointNum() == 0) {
        return 0;
    }
    int64_t rows = 1;
    for (int segment = 0; segment < CourseData::GetSegmentNum(); ++segment) {
        rows += int64_t{CourseData::GetSampleNum(segment)} + 1;
    }
    return rows;
}
