#include "views/CourseOverlay.h"

#include "model/CourseData.h"
#include "model/CourseSurface.h"
#include "render/CameraControl.h"
#include "views/DevelopedCourse.h"
#include "views/DispControl.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace CourseOverlay {

namespace {

using CourseAnalysis::Warning;
using CourseAnalysis::WarningKind;
using DevelopedCourse::Pixel;

// Selects the pen of the line flag and no brush for the drawing's lifetime, and gives the
// previous ones back.
class Pen {
public:
    Pen(platform::DrawContext& surface, int lineFlag)
        : surface(surface), pen(surface.SelectPen(DispControl::GetLinePen(lineFlag))),
          brush(surface.SelectBrush(nullptr)) {}
    ~Pen() {
        surface.SelectPen(pen);
        surface.SelectBrush(brush);
    }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;

private:
    platform::DrawContext& surface;
    const platform::Pen* pen;
    const platform::Brush* brush;
};

void Ring(platform::DrawContext& surface, Pixel at) {
    surface.Ellipse(at.x - MarkRadius, at.y - MarkRadius, at.x + MarkRadius + 1,
                    at.y + MarkRadius + 1);
}

void Line(platform::DrawContext& surface, Pixel from, Pixel to) {
    surface.MoveTo(from.x, from.y);
    surface.LineTo(to.x, to.y);
}

Vec3d WarningPlace(const Warning& w) {
    const CourseSection section = GetCourseSection(w.place.segment, w.place.t);
    if (w.kind != WarningKind::EdgeFold) {
        return section.position;
    }
    Vec3d edgeA{};
    Vec3d edgeB{};
    CalcSectionEdge(section, edgeA, edgeB);
    return w.side == CourseAnalysis::Side::A ? edgeA : edgeB;
}

// The distance along the developed course to a place, taken as the share t of its
// segment's length.
double AlongTo(const CourseAnalysis::Place& place) {
    const double along = DevelopedCourse::AlongToSegment(place.segment, DevelopedCourse::InSpace);
    const double end = DevelopedCourse::AlongAfter(place.segment, along, DevelopedCourse::InSpace);
    return along + place.t * (end - along);
}

bool OnCourse(const Warning& w) {
    return w.place.segment >= 0 && w.place.segment < CourseData::GetSegmentNum();
}

// A tooth of the comb: its root on the centre line and its curvature.
struct Tooth {
    Vec3d root;
    Vec3d outward; // unit, in the ground plane, away from the bend's centre
    double curvature;
};

std::vector<Tooth> CombTeethOfCourse() {
    std::vector<Tooth> teeth;
    const int segments = CourseData::GetSegmentNum();
    for (int segment = 0; segment < segments; ++segment) {
        const CourseData::SegmentCurves curves = CourseData::GetSegmentCurves(segment);
        for (int k = 0; k <= CombTeeth; ++k) {
            const double t = static_cast<double>(k) / CombTeeth;
            const CourseSection section = SectionAt(curves, t);
            const double run = std::hypot(section.tangent.x, section.tangent.z);
            const double curvature = CourseAnalysis::Curvature(curves, t);
            // The bend's centre lies along (−z′, x′) for a positive curvature.
            const double sign = curvature > 0.0 ? 1.0 : -1.0;
            const Vec3d outward = run > 0.0 ? Vec3d{sign * section.tangent.z / run, 0.0,
                                                    -sign * section.tangent.x / run}
                                            : Vec3d{0.0, 0.0, 0.0};
            teeth.push_back({section.position, outward, std::abs(curvature)});
        }
    }
    return teeth;
}

} // namespace

void DrawWarnings(CameraControl& camera, std::span<const Warning> warnings) {
    platform::DrawContext* surface = camera.GetSurface();
    if (surface == nullptr) {
        return;
    }
    const Pen pen(*surface, DispControl::WarningLine);
    for (const Warning& w : warnings) {
        if (OnCourse(w)) {
            Ring(*surface, DevelopedCourse::Project(camera, WarningPlace(w)));
        }
    }
}

void DrawDevelopedFolds(CameraControl& camera, std::span<const Warning> warnings) {
    platform::DrawContext* surface = camera.GetSurface();
    if (surface == nullptr) {
        return;
    }
    const Pen pen(*surface, DispControl::WarningLine);
    for (const Warning& w : warnings) {
        if (w.kind != WarningKind::EdgeFold || !OnCourse(w)) {
            continue;
        }
        double widthA = 0.0;
        double widthB = 0.0;
        CourseData::GetCourseWidth(w.place.segment, w.place.t, widthA, widthB);
        const double lateral = w.side == CourseAnalysis::Side::A ? -widthA : widthB;
        Ring(*surface, DevelopedCourse::Project(camera, {lateral, 0.0, AlongTo(w.place)}));
    }
}

void DrawComb(CameraControl& camera) {
    platform::DrawContext* surface = camera.GetSurface();
    if (surface == nullptr) {
        return;
    }
    const std::vector<Tooth> teeth = CombTeethOfCourse();
    double tightest = 0.0;
    for (const Tooth& tooth : teeth) {
        tightest = std::max(tightest, tooth.curvature);
    }
    if (tightest == 0.0 || !std::isfinite(tightest)) {
        return;
    }
    const double reach = CombReach / camera.GetZoom() / tightest;
    const Pen pen(*surface, DispControl::CombLine);
    Pixel previousTip{};
    for (size_t i = 0; i < teeth.size(); ++i) {
        const Tooth& tooth = teeth[i];
        const double length = tooth.curvature * reach;
        const Vec3d tip{tooth.root.x + tooth.outward.x * length, tooth.root.y,
                        tooth.root.z + tooth.outward.z * length};
        const Pixel tipPixel = DevelopedCourse::Project(camera, tip);
        Line(*surface, DevelopedCourse::Project(camera, tooth.root), tipPixel);
        if (i > 0) {
            Line(*surface, previousTip, tipPixel);
        }
        previousTip = tipPixel;
    }
}

} // namespace CourseOverlay
