#include "views/SpPointDisp.h"

#include "model/CourseData.h"
#include "render/CameraControl.h"
#include "views/DispControl.h"

#include <cmath>
#include <cstdint>

namespace SpPointDisp {

namespace {

using DispControl::GetLinePen;

constexpr double DialRadius = 70.0;  // world units, so the circle follows the zoom
constexpr double HandleScale = 10.0; // pixels per unit of roll slope, whatever the zoom
// Far beyond any surface, yet safe to convert and to subtract: the drawing context clips.
constexpr double FarPixel = 1e8;

// Truncates toward zero; written as comparisons so that a NaN lands on the bound too.
int ToPixel(double v) {
    return static_cast<int>(v > FarPixel ? FarPixel : (v >= -FarPixel ? v : -FarPixel));
}

// The selected point, or -1.
int SelectedPoint() {
    int32_t index = -1;
    int32_t state = 0;
    CourseData::GetHandle(index, state);
    return index;
}

Dial DialOfPoint(const CameraControl& camera, int index) {
    double roll = 0.0;
    double slope = 0.0;
    CourseData::GetRoll(index, roll);
    CourseData::GetRollTangent(index, slope);
    int width = 0;
    int height = 0;
    camera.GetScreenSize(width, height);
    return MakeDial(width, height, camera.GetZoom(), roll, slope);
}

void DrawCross(platform::DrawContext& surface, int width, int height) {
    surface.MoveTo(0, height / 2);
    surface.LineTo(width, height / 2);
    surface.MoveTo(width / 2, 0);
    surface.LineTo(width / 2, height);
}

// The arc's start and end directions are equal, which makes it a whole circle.
void DrawCircle(platform::DrawContext& surface, int x, int y, int radius) {
    surface.Arc(x - radius, y - radius, x + radius, y + radius, 0, 50, 0, 50);
}

void DrawRoll(platform::DrawContext& surface, const Dial& dial, int width, int height, int grip) {
    const platform::Pen* previous = surface.SelectPen(GetLinePen(DispControl::CentreLine));
    surface.MoveTo(dial.centreX, dial.centreY);
    surface.LineTo(dial.rollX, dial.rollY);
    DispControl::DrawPoint(surface, dial.rollX, dial.rollY, width, height, DispControl::PointAuto);
    if (grip == GripRoll) {
        DispControl::DrawDesign(surface, dial.rollX, dial.rollY, DispControl::SelectDesign);
    }
    surface.SelectPen(GetLinePen(DispControl::HandleLine));
    surface.MoveTo(dial.baseX, dial.baseY);
    surface.LineTo(dial.handleX, dial.handleY);
    DispControl::DrawPoint(surface, dial.handleX, dial.handleY, width, height,
                           DispControl::HandleEnd);
    if (grip == GripHandle) {
        DispControl::DrawDesign(surface, dial.handleX, dial.handleY, DispControl::HandDesign);
    }
    surface.SelectPen(previous);
}

} // namespace

// Screen y grows downwards, so a growing roll turns the point clockwise; the handle lies
// along the circle's tangent, pointing against the turn for a positive slope.
Dial MakeDial(int width, int height, double zoom, double roll, double slope) {
    const int cx = width / 2;
    const int cy = height / 2;
    const double c = std::cos(roll);
    const double s = std::sin(roll);
    const double radius = DialRadius * zoom;
    // The handle starts one marker (twice the hit radius) outside the roll point.
    const double baseRadius = radius + 2 * DispControl::GetHitRadius();
    Dial dial{};
    dial.centreX = cx;
    dial.centreY = cy;
    dial.rollX = ToPixel(cx + radius * c);
    dial.rollY = ToPixel(cy + radius * s);
    dial.baseX = ToPixel(cx + baseRadius * c);
    dial.baseY = ToPixel(cy + baseRadius * s);
    dial.handleX = ToPixel(dial.baseX + HandleScale * slope * s);
    dial.handleY = ToPixel(dial.baseY - HandleScale * slope * c);
    return dial;
}

void Draw(CameraControl& camera, int grip) {
    platform::DrawContext* surface = camera.GetSurface();
    if (surface == nullptr) {
        return;
    }
    int width = 0;
    int height = 0;
    camera.GetScreenSize(width, height);
    DispControl::ClearView(*surface, width, height);
    // A fresh surface holds no pen, which draws nothing: the cross and the circle take
    // the grid's pen.
    const platform::Pen* previous = surface->SelectPen(GetLinePen(DispControl::GridLine));
    DrawCross(*surface, width, height);
    DrawCircle(*surface, width / 2, height / 2, ToPixel(DialRadius * camera.GetZoom()));
    const int index = SelectedPoint();
    if (index >= 0) {
        DrawRoll(*surface, DialOfPoint(camera, index), width, height, grip);
    }
    surface->SelectPen(previous);
}

int HitDial(const CameraControl& camera, int x, int y) {
    const int index = SelectedPoint();
    if (index < 0) {
        return 0;
    }
    const Dial dial = DialOfPoint(camera, index);
    if (DispControl::HitPoint(dial.rollX, dial.rollY, x, y)) {
        return GripRoll;
    }
    if (DispControl::HitPoint(dial.handleX, dial.handleY, x, y)) {
        return GripHandle;
    }
    return 0;
}

void FitSurface(CameraControl& camera, int width, int height) {
    int oldWidth = 0;
    int oldHeight = 0;
    camera.GetScreenSize(oldWidth, oldHeight);
    if (width == oldWidth && height == oldHeight) {
        return;
    }
    if (width > 0 && oldWidth > 0) {
        camera.SetZoom(camera.GetZoom() * width / oldWidth);
    }
    camera.SetScreen(width, height);
}

} // namespace SpPointDisp
