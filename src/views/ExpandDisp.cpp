#include "views/ExpandDisp.h"

#include "base/Error.h"
#include "model/CourseData.h"
#include "render/CameraControl.h"
#include "views/DispControl.h"

#include <cmath>
#include <cstdint>

namespace ExpandDisp {

namespace {

using DevelopedCourse::Pixel;
using DevelopedCourse::Station;

constexpr const char* Tag = "ExpandDisp1";

[[noreturn]] void ReportImpossibleState() {
    Error::Fatal(Tag, "ありえないカメラ属性を検出");
}

struct Selection {
    int32_t index;
    int32_t handleState;
    int32_t side;
};

Selection CurrentSelection() {
    Selection selection{};
    CourseData::GetHandle(selection.index, selection.handleState);
    selection.side = CourseData::GetSide();
    return selection;
}

// A view's surface and size; the pen selected before the drawing is put back after it.
class Canvas {
public:
    Canvas(platform::DrawContext& surface, int width, int height)
        : surface(surface), width(width), height(height), previousPen(surface.SelectPen(nullptr)) {}
    ~Canvas() { surface.SelectPen(previousPen); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int Width() const { return width; }
    int Height() const { return height; }

    void Line(Pixel from, Pixel to, int lineFlag) {
        surface.SelectPen(DispControl::GetLinePen(lineFlag));
        surface.MoveTo(from.x, from.y);
        surface.LineTo(to.x, to.y);
    }
    void Marker(Pixel at, int pointFlag) {
        DispControl::DrawPoint(surface, at.x, at.y, width, height, pointFlag);
    }
    void Design(Pixel at, int designFlag) {
        DispControl::DrawDesign(surface, at.x, at.y, designFlag);
    }

private:
    platform::DrawContext& surface;
    int width;
    int height;
    const platform::Pen* previousPen;
};

// The handle line, a marker at each end and the hand on the gripped end.
void DrawHandle(Canvas& canvas, Pixel ahead, Pixel behind, int handleState) {
    canvas.Line(behind, ahead, DispControl::HandleLine);
    canvas.Marker(ahead, DispControl::HandleEnd);
    if (handleState == CourseData::HandleForward) {
        canvas.Design(ahead, DispControl::HandDesign);
    }
    canvas.Marker(behind, DispControl::HandleEnd);
    if (handleState == CourseData::HandleBackward) {
        canvas.Design(behind, DispControl::HandDesign);
    }
}

// Lines G apart from the world point under the top-left corner, less the remainder of its
// whole part by G: vertical ones rightwards, horizontal ones downwards, until the next
// would lie past the view. Lines are counted as well: at the smallest zoom they are 2
// pixels apart, and a count keeps a far-away camera, where adding G no longer moves a
// coordinate, from looping.
void DrawGrid(Canvas& canvas, const CameraControl& camera) {
    const double spacing = DispControl::GetGridSpacing();
    const auto startOf = [spacing](double v) { return v - std::fmod(std::trunc(v), spacing); };
    Vec3d corner{};
    camera.ScreenToWorld(0, 0, corner);
    const double x0 = startOf(corner.x);
    const double z0 = startOf(corner.z);
    const int width = canvas.Width();
    const int height = canvas.Height();
    int sx = DevelopedCourse::Project(camera, {x0, 0.0, 0.0}).x;
    for (int k = 1; k <= width + 2; ++k) {
        canvas.Line({sx, 0}, {sx, height}, DispControl::GridLine);
        sx = DevelopedCourse::Project(camera, {x0 + k * spacing, 0.0, 0.0}).x;
        if (sx > width) {
            break;
        }
    }
    int sy = DevelopedCourse::Project(camera, {0.0, 0.0, z0}).y;
    for (int k = 1; k <= height + 2; ++k) {
        canvas.Line({0, sy}, {width, sy}, DispControl::GridLine);
        sy = DevelopedCourse::Project(camera, {0.0, 0.0, z0 - k * spacing}).y;
        if (sy > height) {
            break;
        }
    }
}

void DrawZeroHeightLine(Canvas& canvas, const CameraControl& camera) {
    const int y = DevelopedCourse::Project(camera, {0.0, 0.0, 0.0}).y;
    canvas.Line({0, y}, {canvas.Width(), y}, DispControl::GridLine);
}

// Both edges of a point: the selected side of the selected point red (with the select
// mark when the point itself is gripped), every other edge blue when that side's width
// tangent is fixed, green when it is automatic.
void DrawEdgeMarkers(Canvas& canvas, int point, Pixel sideA, Pixel sideB,
                     const Selection& selection) {
    int32_t fixedA = 0;
    int32_t fixedB = 0;
    CourseData::GetWidthTangentFixed(point, fixedA, fixedB);
    const Pixel edges[2] = {sideA, sideB};
    const int32_t fixed[2] = {fixedA, fixedB};
    for (int side = 0; side < 2; ++side) {
        if (point == selection.index && side == selection.side) {
            canvas.Marker(edges[side], DispControl::PointSelected);
            if (selection.handleState == CourseData::HandlePoint) {
                canvas.Design(edges[side], DispControl::SelectDesign);
            }
        } else {
            canvas.Marker(edges[side],
                          fixed[side] != 0 ? DispControl::PointFixed : DispControl::PointAuto);
        }
    }
}

void DrawWidthHandle(Canvas& canvas, const CameraControl& camera, int point, double along,
                     const Selection& selection) {
    const DevelopedCourse::HandleEnds ends =
        DevelopedCourse::WidthHandle(point, selection.side, along);
    DrawHandle(canvas, DevelopedCourse::Project(camera, ends.ahead),
               DevelopedCourse::Project(camera, ends.behind), selection.handleState);
}

// The strip: per segment its cross line at the point, then per sample the two edges, the
// centre line and the cross line, then the selected point's width handle and the point's
// edge markers. The far end is marked for the point it arrives at.
void DrawTopCourse(Canvas& canvas, const CameraControl& camera) {
    const int segments = CourseData::GetSegmentNum();
    if (segments == 0) {
        return;
    }
    const Selection selection = CurrentSelection();
    double along = 0.0;
    DevelopedPixels last{};
    for (int i = 0; i < segments; ++i) {
        Station station = DevelopedCourse::PointStation(i, along);
        double widthA = 0.0;
        double widthB = 0.0;
        CourseData::GetWidth(i, widthA, widthB);
        const DevelopedPixels start = DevelopPoint(camera, station.position, widthA, widthB, along);
        canvas.Line(start.sideA, start.sideB, DispControl::CrossSectionLine);
        const int centreLine =
            i == selection.index ? DispControl::SelectedCentreLine : DispControl::CentreLine;
        DevelopedPixels previous = start;
        const int steps = DevelopedCourse::StepsOf(i);
        for (int step = 1; step <= steps; ++step) {
            station =
                DevelopedCourse::NextStation(station, i, step, steps, DevelopedCourse::InSpace);
            CourseData::GetCourseWidth(i, DevelopedCourse::ParameterOf(step, steps), widthA,
                                       widthB);
            const DevelopedPixels next =
                DevelopPoint(camera, station.position, widthA, widthB, station.along);
            canvas.Line(previous.sideA, next.sideA, DispControl::EdgeLine);
            canvas.Line(previous.sideB, next.sideB, DispControl::EdgeLine);
            canvas.Line(previous.centre, next.centre, centreLine);
            canvas.Line(next.sideA, next.sideB, DispControl::CrossSectionLine);
            previous = next;
        }
        if (i == selection.index) {
            DrawWidthHandle(canvas, camera, i, along, selection);
        }
        DrawEdgeMarkers(canvas, i, start.sideA, start.sideB, selection);
        along = station.along;
        last = previous;
    }
    const int end = CourseData::IsLoop() != 0 ? 0 : segments;
    DrawEdgeMarkers(canvas, end, last.sideA, last.sideB, selection);
}

void DrawHeightHandle(Canvas& canvas, const CameraControl& camera, int point, double along,
                      int handleState) {
    const DevelopedCourse::HandleEnds ends = DevelopedCourse::HeightHandle(point, along);
    DrawHandle(canvas, DevelopedCourse::Project(camera, ends.ahead),
               DevelopedCourse::Project(camera, ends.behind), handleState);
}

// The selected point red (with the select mark when the point itself is gripped); any
// other point blue when its z tangent is fixed, green when automatic.
void DrawProfilePoint(Canvas& canvas, int point, Pixel at, const Selection& selection) {
    if (point == selection.index) {
        canvas.Marker(at, DispControl::PointSelected);
        if (selection.handleState == CourseData::HandlePoint) {
            canvas.Design(at, DispControl::SelectDesign);
        }
        return;
    }
    int32_t fixedX = 0;
    int32_t fixedY = 0;
    int32_t fixedZ = 0;
    CourseData::GetTangentFixed(point, fixedX, fixedY, fixedZ);
    canvas.Marker(at, fixedZ != 0 ? DispControl::PointFixed : DispControl::PointAuto);
}

Pixel ProfilePixel(const CameraControl& camera, const Station& station) {
    return DevelopedCourse::Project(
        camera, DispControl::MakeDevelopedPoint(station.position, 0.0, station.along));
}

// The profile: per segment the selected point's height handle, the centre line through
// its samples with a dot on each, then the point's marker. The far end is marked for the
// point it arrives at, with that point's handle when it is the selected one.
void DrawSideCourse(Canvas& canvas, const CameraControl& camera) {
    const int segments = CourseData::GetSegmentNum();
    if (segments == 0) {
        return;
    }
    const Selection selection = CurrentSelection();
    Station station{};
    Pixel current{};
    for (int i = 0; i < segments; ++i) {
        station = DevelopedCourse::PointStation(i, station.along);
        if (i == selection.index) {
            DrawHeightHandle(canvas, camera, i, station.along, selection.handleState);
        }
        const int lineFlag =
            i == selection.index ? DispControl::SelectedCentreLine : DispControl::CentreLine;
        const Pixel start = ProfilePixel(camera, station);
        current = start;
        const int steps = DevelopedCourse::StepsOf(i);
        for (int step = 1; step <= steps; ++step) {
            station =
                DevelopedCourse::NextStation(station, i, step, steps, DevelopedCourse::OnGround);
            const Pixel next = ProfilePixel(camera, station);
            canvas.Line(current, next, lineFlag);
            canvas.Marker(next, DispControl::SmallDot);
            current = next;
        }
        DrawProfilePoint(canvas, i, start, selection);
    }
    const int end = CourseData::IsLoop() != 0 ? 0 : segments;
    DrawProfilePoint(canvas, end, current, selection);
    if (end == selection.index) {
        DrawHeightHandle(canvas, camera, end, station.along, selection.handleState);
    }
}

bool Hits(int x, int y, Pixel at) {
    return DispControl::HitPoint(x, y, at.x, at.y);
}

Found FindInTop(const CameraControl& camera, int x, int y) {
    const Selection selection = CurrentSelection();
    const int selectedCode = selection.side == 0 ? SideA : SideB;
    double along = 0.0;
    const int segments = CourseData::GetSegmentNum();
    for (int i = 0; i < segments; ++i) {
        const Station station = DevelopedCourse::PointStation(i, along);
        double widthA = 0.0;
        double widthB = 0.0;
        CourseData::GetWidth(i, widthA, widthB);
        const DevelopedPixels edges = DevelopPoint(camera, station.position, widthA, widthB, along);
        if (Hits(x, y, edges.sideA)) {
            return {i, SideA, NoEnd};
        }
        if (Hits(x, y, edges.sideB)) {
            return {i, SideB, NoEnd};
        }
        if (i == selection.index) {
            const DevelopedCourse::HandleEnds ends =
                DevelopedCourse::WidthHandle(i, selection.side, along);
            if (Hits(x, y, DevelopedCourse::Project(camera, ends.ahead))) {
                return {i, selectedCode, EndAhead};
            }
            if (Hits(x, y, DevelopedCourse::Project(camera, ends.behind))) {
                return {i, selectedCode, EndBehind};
            }
        }
        along = DevelopedCourse::AlongAfter(i, along, DevelopedCourse::InSpace);
    }
    return {-1, NoSide, NoEnd};
}

Found FindInSide(const CameraControl& camera, int x, int y) {
    const Selection selection = CurrentSelection();
    double along = 0.0;
    const int segments = CourseData::GetSegmentNum();
    for (int i = 0; i < segments; ++i) {
        if (i == selection.index) {
            const DevelopedCourse::HandleEnds ends = DevelopedCourse::HeightHandle(i, along);
            if (Hits(x, y, DevelopedCourse::Project(camera, ends.ahead))) {
                return {i, NoSide, EndAhead};
            }
            if (Hits(x, y, DevelopedCourse::Project(camera, ends.behind))) {
                return {i, NoSide, EndBehind};
            }
        }
        if (Hits(x, y, ProfilePixel(camera, DevelopedCourse::PointStation(i, along)))) {
            return {i, NoSide, NoEnd};
        }
        along = DevelopedCourse::AlongAfter(i, along, DevelopedCourse::OnGround);
    }
    return {-1, NoSide, NoEnd};
}

} // namespace

void Draw(CameraControl& camera) {
    const int32_t state = camera.GetState();
    if (state != CameraControl::Top && state != CameraControl::Side) {
        ReportImpossibleState();
    }
    platform::DrawContext* surface = camera.GetSurface();
    if (surface == nullptr) {
        return;
    }
    int width = 0;
    int height = 0;
    camera.GetScreenSize(width, height);
    DispControl::ClearView(camera);
    Canvas canvas(*surface, width, height);
    if (state == CameraControl::Top) {
        DrawGrid(canvas, camera);
        DrawTopCourse(canvas, camera);
    } else {
        DrawZeroHeightLine(canvas, camera);
        DrawSideCourse(canvas, camera);
    }
}

Found Find(const CameraControl& camera, int x, int y) {
    switch (camera.GetState()) {
    case CameraControl::Top:
        return FindInTop(camera, x, y);
    case CameraControl::Side:
        return FindInSide(camera, x, y);
    default:
        ReportImpossibleState();
    }
}

DevelopedPixels DevelopPoint(const CameraControl& camera, const Vec3d& centre, double widthA,
                             double widthB, double along) {
    using DispControl::MakeDevelopedPoint;
    return {DevelopedCourse::Project(camera, MakeDevelopedPoint(centre, 0.0, along)),
            DevelopedCourse::Project(camera, MakeDevelopedPoint(centre, -widthA, along)),
            DevelopedCourse::Project(camera, MakeDevelopedPoint(centre, widthB, along))};
}

} // namespace ExpandDisp
