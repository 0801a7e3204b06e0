#include "model/CourseSurface.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Far more than the rounding of evaluating a cubic, of placing an edge or of the hull
// itself, each a few units in the last place of the numbers involved.
constexpr double RelativeSlack = 1e-9;

struct Interval {
    double low;
    double high;
};

// The Bézier control points of the cubic on 0..1 span every value it takes there; the
// slack covers the rounding of both, relative to the largest coefficient.
Interval SpanOf(const SplineSegment& s) {
    const double p1 = s.a + s.b / 3.0;
    const double p2 = s.a + 2.0 * s.b / 3.0 + s.c / 3.0;
    const double p3 = s.a + s.b + s.c + s.d;
    const double slack =
        RelativeSlack * (std::abs(s.a) + std::abs(s.b) + std::abs(s.c) + std::abs(s.d));
    return {std::min({s.a, p1, p2, p3}) - slack, std::max({s.a, p1, p2, p3}) + slack};
}

double Magnitude(const Interval& i) {
    return std::max(std::abs(i.low), std::abs(i.high));
}

// Checked before any min or max, which would drop a NaN.
bool IsFinite(const SplineSegment& s) {
    return std::isfinite(s.a) && std::isfinite(s.b) && std::isfinite(s.c) && std::isfinite(s.d);
}

bool IsFinite(const Box& b) {
    return std::isfinite(b.low.x) && std::isfinite(b.low.y) && std::isfinite(b.low.z) &&
           std::isfinite(b.high.x) && std::isfinite(b.high.y) && std::isfinite(b.high.z);
}

Box Widened(const Box& b) {
    const auto widen = [](double& low, double& high) {
        const double slack = RelativeSlack * std::max(std::abs(low), std::abs(high));
        low -= slack;
        high += slack;
    };
    Box w = b;
    widen(w.low.x, w.high.x);
    widen(w.low.y, w.high.y);
    widen(w.low.z, w.high.z);
    return w;
}

// The unrolled road's side and up directions for a tangent; none for a zero tangent.
struct Frame {
    Vec3d side;
    Vec3d up;
};

std::optional<Frame> FrameOf(const Vec3d& tangent) {
    const double tx = tangent.x;
    const double ty = tangent.y;
    const double tz = tangent.z;
    const double h = std::sqrt(tx * tx + tz * tz);
    const double l = std::sqrt(tx * tx + ty * ty + tz * tz);
    if (h == 0.0 && l == 0.0) {
        return std::nullopt;
    }
    // Heading as sine and cosine; a vertical tangent takes the x axis as its side.
    const double s = h != 0.0 ? tz / h : 1.0;
    const double c = h != 0.0 ? -tx / h : 0.0;
    // Pitch as sine and cosine.
    const double a = ty / l;
    const double b = h / l;
    return Frame{{s, 0.0, c}, {c * a, b, -s * a}};
}

} // namespace

void CalcCourseEdge(const Vec3d& position, const Vec3d& tangent, double width1, double width2,
                    double roll, Vec3d& edge1, Vec3d& edge2) {
    const std::optional<Frame> frame = FrameOf(tangent);
    if (!frame) {
        edge1 = position;
        edge2 = position;
        return;
    }
    // Roll about the forward axis: side′ = cos r · side + sin r · up.
    const double cr = std::cos(roll);
    const double sr = std::sin(roll);
    Vec3d rolled{};
    Vec3d lift{};
    Add(rolled, Scale(rolled, frame->side, cr), Scale(lift, frame->up, sr));
    Vec3d offset{};
    Add(edge1, position, Scale(offset, rolled, width1));
    Sub(edge2, position, Scale(offset, rolled, width2));
}

Vec3d CalcSectionNormal(const CourseSection& section) {
    const std::optional<Frame> frame = FrameOf(section.tangent);
    if (!frame) {
        return {0.0, 1.0, 0.0};
    }
    // up′ = cos r · up − sin r · side.
    const double cr = std::cos(section.roll);
    const double sr = std::sin(section.roll);
    Vec3d normal{};
    Vec3d tilt{};
    return Sub(normal, Scale(normal, frame->up, cr), Scale(tilt, frame->side, sr));
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
    return SectionAt(CourseData::GetSegmentCurves(segment), t);
}

CourseSection SectionAt(const CourseData::SegmentCurves& curves, double t) {
    return {{curves.x.Value(t), curves.y.Value(t), curves.z.Value(t)},
            {curves.x.Slope(t), curves.y.Slope(t), curves.z.Slope(t)},
            curves.width1.Value(t) * curves.widthScale,
            curves.width2.Value(t) * curves.widthScale,
            curves.roll.Value(t)};
}

bool BoundSegment(const CourseData::SegmentCurves& curves, bool withRoad, Box& box) {
    if (!IsFinite(curves.x) || !IsFinite(curves.y) || !IsFinite(curves.z) ||
        (withRoad && (!IsFinite(curves.width1) || !IsFinite(curves.width2) ||
                      !std::isfinite(curves.widthScale)))) {
        return false;
    }
    const Interval x = SpanOf(curves.x);
    const Interval y = SpanOf(curves.y);
    const Interval z = SpanOf(curves.z);
    // An edge lies a width from the centre along a unit vector. Its components stay within
    // four times the width even as computed from a tangent so short that its squares
    // lose precision, where they come out a little over one.
    const double reach =
        withRoad ? std::max(Magnitude(SpanOf(curves.width1)), Magnitude(SpanOf(curves.width2))) *
                       std::abs(curves.widthScale) * 4.0
                 : 0.0;
    const Box bound{{x.low - reach, y.low - reach, z.low - reach},
                    {x.high + reach, y.high + reach, z.high + reach}};
    if (!IsFinite(bound)) { // overflowed
        return false;
    }
    box = Widened(bound);
    return true;
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
