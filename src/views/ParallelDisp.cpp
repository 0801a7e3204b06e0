#include "views/ParallelDisp.h"

#include "model/CourseData.h"
#include "model/CourseSurface.h"
#include "render/CameraControl.h"
#include "views/DispControl.h"
#include "views/RoadRows.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

namespace ParallelDisp {

namespace {

using platform::DrawContext;

// Screen coordinates are handed to the drawing context as ints. Points farther out than
// this lie far beyond any surface, and lines to them are cut here first, so that nothing
// converted can overflow an int or turn a far line's direction.
constexpr double Far = 1e8;
constexpr int DesignSize = 24;

// A projected point: whole pixels, still in doubles.
struct Pixel {
    double x, y;
};

// Comparisons written so that NaN takes the lower bound too.
int ToInt(double v) {
    return static_cast<int>(v > Far ? Far : (v >= -Far ? v : -Far));
}

bool Near(const Pixel& p) {
    return std::abs(p.x) <= Far && std::abs(p.y) <= Far;
}

Pixel Project(const CameraControl& camera, const Vec3d& world) {
    Vec3d screen{};
    camera.WorldToScreen(world, screen);
    return {screen.x, screen.y};
}

// Liang-Barsky: narrows [t0, t1] to where a + t·d stays on the near side of one bound
// (p·t <= q); false once nothing is left.
bool ClipEdge(double p, double q, double& t0, double& t1) {
    if (p == 0.0) {
        return q >= 0.0;
    }
    const double t = q / p;
    if (p < 0.0) {
        t0 = t > t0 ? t : t0;
    } else {
        t1 = t < t1 ? t : t1;
    }
    return t0 <= t1;
}

// The line from a to b, its end pixel left out as LineTo does.
void Line(DrawContext& surface, Pixel a, Pixel b) {
    if (!Near(a) || !Near(b)) {
        if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) ||
            !std::isfinite(b.y)) {
            return;
        }
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        double t0 = 0.0;
        double t1 = 1.0;
        if (!ClipEdge(-dx, a.x + Far, t0, t1) || !ClipEdge(dx, Far - a.x, t0, t1) ||
            !ClipEdge(-dy, a.y + Far, t0, t1) || !ClipEdge(dy, Far - a.y, t0, t1)) {
            return;
        }
        b = {a.x + t1 * dx, a.y + t1 * dy};
        a = {a.x + t0 * dx, a.y + t0 * dy};
    }
    const int x0 = ToInt(a.x);
    const int y0 = ToInt(a.y);
    const int x1 = ToInt(b.x);
    const int y1 = ToInt(b.y);
    // Rows of a large course often lie closer than a pixel: such a line draws nothing.
    if (x0 == x1 && y0 == y1) {
        return;
    }
    surface.MoveTo(x0, y0);
    surface.LineTo(x1, y1);
}

void Line(DrawContext& surface, const CameraControl& camera, const Vec3d& a, const Vec3d& b) {
    Line(surface, Project(camera, a), Project(camera, b));
}

// One view being drawn: its camera, surface and size.
struct View {
    const CameraControl& camera;
    DrawContext& surface;
    int width;
    int height;

    void SelectLine(int lineFlag) const { surface.SelectPen(DispControl::GetLinePen(lineFlag)); }

    void Marker(const Pixel& p, int pointFlag) const {
        DispControl::DrawPoint(surface, ToInt(p.x), ToInt(p.y), width, height, pointFlag);
    }

    void Stamp(const Pixel& p, int dy, int designFlag) const {
        DispControl::DrawDesign(surface, ToInt(p.x), ToInt(p.y) + dy, designFlag);
    }
};

void DrawGrid(const View& view) {
    view.SelectLine(DispControl::GridLine);
    const int count = DispControl::GetGridLineCount();
    const double spacing = DispControl::GetGridSpacing();
    const double e = (count - 1) * spacing / 2.0;
    for (int k = 0; k < count; ++k) {
        const double x = -e + spacing * k;
        Line(view.surface, view.camera, {x, 0.0, -e}, {x, 0.0, e});
    }
    for (int k = 0; k < count; ++k) {
        const double z = -e + spacing * k;
        Line(view.surface, view.camera, {-e, 0.0, z}, {e, 0.0, z});
    }
}

// A rectangle on the screen: a line between two points inside it draws only inside it.
struct Rect {
    double left, top, right, bottom;

    void Include(const Pixel& p) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
};

// Lines cut back from far away end on rounded places, and ToInt rounds toward zero; a
// rectangle this far off the surface stays off it through both.
constexpr double OffViewMargin = 2.0;

bool IsOffView(const View& view, const Rect& r) {
    return r.right < -OffViewMargin || r.bottom < -OffViewMargin ||
           r.left > view.width + OffViewMargin || r.top > view.height + OffViewMargin;
}

// The rectangle that the segment's centre line, and with the road its cross-sections,
// project into; none when it cannot be told. Each screen axis of a parallel view follows
// one world axis monotonically, so two opposite corners of the world box span its picture.
std::optional<Rect> SegmentRect(const View& view, const CourseData::SegmentCurves& curves,
                                bool withRoad) {
    const int32_t state = view.camera.GetState();
    Box box{};
    if (state < CameraControl::Top || state > CameraControl::Front ||
        !BoundSegment(curves, withRoad, box)) {
        return std::nullopt;
    }
    const Pixel low = Project(view.camera, box.low);
    const Pixel high = Project(view.camera, box.high);
    return Rect{std::min(low.x, high.x), std::min(low.y, high.y), std::max(low.x, high.x),
                std::max(low.y, high.y)};
}

bool IsSegmentOffView(const View& view, const CourseData::SegmentCurves& curves) {
    const std::optional<Rect> rect = SegmentRect(view, curves, true);
    return rect && IsOffView(view, *rect);
}

// Per segment: a cross line at its start point and at each sample, each edge joined to
// the previous sample's on its side. A segment whose rows all lie off the view is left out.
void DrawSurface(const View& view) {
    view.SelectLine(DispControl::CrossSectionLine);
    const int segments = CourseData::GetSegmentNum();
    for (int segment = 0; segment < segments; ++segment) {
        const CourseData::SegmentCurves curves = CourseData::GetSegmentCurves(segment);
        if (IsSegmentOffView(view, curves)) {
            continue;
        }
        const std::span<const RoadRows::Row> rows =
            RoadRows::Of(segment, curves, CourseData::GetSampleNum(segment) + 1);
        Pixel previous1 = Project(view.camera, rows[0].edge1);
        Pixel previous2 = Project(view.camera, rows[0].edge2);
        Line(view.surface, previous1, previous2);
        for (const RoadRows::Row& row : rows.subspan(1)) {
            const Pixel p1 = Project(view.camera, row.edge1);
            const Pixel p2 = Project(view.camera, row.edge2);
            Line(view.surface, p1, p2);
            Line(view.surface, previous1, p1);
            Line(view.surface, previous2, p2);
            previous1 = p1;
            previous2 = p2;
        }
    }
}

Vec3d PointPosition(int index) {
    Vec3d p{};
    CourseData::GetPosition(index, p.x, p.y, p.z);
    return p;
}

Vec3d CoursePosition(int segment, double t) {
    Vec3d p{};
    CourseData::GetCoursePosition(segment, t, p.x, p.y, p.z);
    return p;
}

Vec3d PositionAt(const CourseData::SegmentCurves& curves, double t) {
    return {curves.x.Value(t), curves.y.Value(t), curves.z.Value(t)};
}

// Whether the segment's part of the centre line, which starts at `from`, lies off the view.
// A `from` that is not finite draws no line, so it may be left out of the rectangle.
bool IsCentreLineOffView(const View& view, const CourseData::SegmentCurves& curves,
                         const Pixel& from) {
    std::optional<Rect> rect = SegmentRect(view, curves, false);
    if (!rect) {
        return false;
    }
    rect->Include(from);
    return IsOffView(view, *rect);
}

// The selected point's segment (the one that starts at it) is drawn in red. Of a segment
// off the view only its end is placed, where the next one starts.
void DrawCentreLine(const View& view, int selected) {
    if (CourseData::GetPointNum() < 2) {
        return;
    }
    const int segments = CourseData::GetSegmentNum();
    Pixel previous = Project(view.camera, PointPosition(0));
    for (int segment = 0; segment < segments; ++segment) {
        view.SelectLine(segment == selected ? DispControl::SelectedCentreLine
                                            : DispControl::CentreLine);
        const CourseData::SegmentCurves curves = CourseData::GetSegmentCurves(segment);
        if (IsCentreLineOffView(view, curves, previous)) {
            previous = Project(view.camera, PositionAt(curves, 1.0));
            continue;
        }
        const std::span<const RoadRows::Row> rows =
            RoadRows::Of(segment, curves, CourseData::GetSampleNum(segment) + 1);
        for (const RoadRows::Row& row : rows.subspan(1)) {
            const Pixel p = Project(view.camera, row.centre);
            Line(view.surface, previous, p);
            previous = p;
        }
    }
}

// P − reach·h and P + reach·h for the point's handle vector h.
void HandleEnds(int index, Vec3d& backward, Vec3d& forward) {
    const Vec3d p = PointPosition(index);
    Vec3d h{};
    int32_t fx = 0;
    int32_t fy = 0;
    int32_t fz = 0;
    CourseData::GetTangent(index, h.x, h.y, h.z, fx, fy, fz);
    Scale(h, h, HandleReach);
    Sub(backward, p, h);
    Add(forward, p, h);
}

void DrawHandle(const View& view, int selected, int handleState) {
    if (selected < 0 || CourseData::GetPointNum() < 2) {
        return;
    }
    Vec3d backward{};
    Vec3d forward{};
    HandleEnds(selected, backward, forward);
    const Pixel back = Project(view.camera, backward);
    const Pixel front = Project(view.camera, forward);
    view.SelectLine(DispControl::HandleLine);
    Line(view.surface, back, front);
    view.Marker(front, DispControl::HandleEnd);
    if (handleState == CourseData::HandleForward) {
        view.Stamp(front, 0, DispControl::HandDesign);
    }
    view.Marker(back, DispControl::HandleEnd);
    if (handleState == CourseData::HandleBackward) {
        view.Stamp(back, 0, DispControl::HandDesign);
    }
}

bool HasFixedTangent(int index) {
    int32_t fx = 0;
    int32_t fy = 0;
    int32_t fz = 0;
    CourseData::GetTangentFixed(index, fx, fy, fz);
    return fx != 0 || fy != 0 || fz != 0;
}

void DrawPoints(const View& view, int selected, int handleState) {
    const int points = CourseData::GetPointNum();
    for (int i = 0; i < points; ++i) {
        const Pixel p = Project(view.camera, PointPosition(i));
        if (i == selected) {
            view.Marker(p, DispControl::PointSelected);
            if (handleState == CourseData::HandlePoint) {
                view.Stamp(p, 0, DispControl::SelectDesign);
            }
        } else {
            view.Marker(p, HasFixedTangent(i) ? DispControl::PointFixed : DispControl::PointAuto);
        }
    }
}

// The stamp's lower-left corner sits on the camera's place.
void DrawCameraPlace(const View& view) {
    int32_t segment = 0;
    double t = 0.0;
    if (CourseData::GetCameraPosition(segment, t) != 0) {
        return;
    }
    view.Stamp(Project(view.camera, CoursePosition(segment, t)), -DesignSize,
               DispControl::CameraDesign);
}

bool Hits(const CameraControl& camera, const Vec3d& world, int x, int y) {
    const Pixel p = Project(camera, world);
    return DispControl::HitPoint(x, y, ToInt(p.x), ToInt(p.y));
}

} // namespace

void Draw(CameraControl& camera, int showCamera) {
    DrawContext* surface = camera.GetSurface();
    if (surface == nullptr) {
        return;
    }
    View view{camera, *surface, 0, 0};
    camera.GetScreenSize(view.width, view.height);
    int32_t selected = -1;
    int32_t handleState = CourseData::HandlePoint;
    CourseData::GetHandle(selected, handleState);

    const platform::Pen* previousPen = surface->SelectPen(nullptr);
    DispControl::ClearView(*surface, view.width, view.height);
    DrawGrid(view);
    DrawSurface(view);
    DrawCentreLine(view, selected);
    DrawHandle(view, selected, handleState);
    DrawPoints(view, selected, handleState);
    if (showCamera == 1) {
        DrawCameraPlace(view);
    }
    surface->SelectPen(previousPen);
}

int FindPoint(const CameraControl& camera, int x, int y) {
    const int points = CourseData::GetPointNum();
    for (int i = 0; i < points; ++i) {
        if (Hits(camera, PointPosition(i), x, y)) {
            return i;
        }
    }
    return -1;
}

int FindHandle(const CameraControl& camera, int x, int y) {
    int32_t selected = -1;
    int32_t handleState = CourseData::HandlePoint;
    CourseData::GetHandle(selected, handleState);
    if (selected < 0 || CourseData::GetPointNum() < 2) {
        return -1;
    }
    Vec3d backward{};
    Vec3d forward{};
    HandleEnds(selected, backward, forward);
    if (Hits(camera, forward, x, y)) {
        return CourseData::HandleForward;
    }
    if (Hits(camera, backward, x, y)) {
        return CourseData::HandleBackward;
    }
    return -1;
}

int AddPointAt(const CameraControl& camera, int x, int y) {
    Vec3d world{};
    camera.ScreenToWorld(x, y, world);
    return CourseData::AddPoint(world.x, world.y, world.z);
}

} // namespace ParallelDisp
