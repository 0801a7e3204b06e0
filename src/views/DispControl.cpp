#include "views/DispControl.h"

#include "base/Error.h"
#include "platform/BitmapResource.h"
#include "render/CameraControl.h"

#include <cmath>
#include <memory>

namespace DispControl {

namespace {

constexpr const char* Tag = "DispControl1";
constexpr int HitRadius = 3;
constexpr int GridSpacing = 200;
constexpr int GridLineCount = 21;
constexpr int DesignSize = 24;

using platform::Brush;
using platform::Pen;
using platform::Rgb15;

// The shared objects, made at start-up in the order the program has always made them.
struct DrawObjects {
    Brush background{Rgb15(144, 144, 144)};
    Pen grey96{Rgb15(96, 96, 96)};
    Pen spareRed{Rgb15(255, 0, 0)};
    Pen yellow{Rgb15(255, 255, 0)};
    Pen green{Rgb15(0, 200, 0)};
    Pen red{Rgb15(255, 0, 0)};
    Pen grey120{Rgb15(120, 120, 120)};
    Pen blue{Rgb15(0, 0, 255)};
    Pen teal{Rgb15(0, 200, 200)};
    Pen grey200{Rgb15(200, 200, 200)};
    Pen white{Rgb15(255, 255, 255)};
    Brush greenBrush{Rgb15(0, 255, 0)};
    Brush blueBrush{Rgb15(0, 0, 255)};
    Brush redBrush{Rgb15(255, 0, 0)};
    Brush yellowBrush{Rgb15(255, 255, 0)};
    // Colours of their own, so that they stand out from everything else drawn.
    Pen magenta{Rgb15(255, 0, 255)};
    Pen orange{Rgb15(255, 128, 0)};
    std::unique_ptr<platform::Surface> select = platform::LoadBitmapResource("SELECT_BMP");
    std::unique_ptr<platform::Surface> hand = platform::LoadBitmapResource("HAND_BMP");
    std::unique_ptr<platform::Surface> camera = platform::LoadBitmapResource("CAMERAPOS_BMP");
};

std::unique_ptr<DrawObjects> objects;

struct Marker {
    const Pen* pen;
    const Brush* brush; // nullptr keeps the surface's brush
    int radius;
};

Marker MarkerOf(int pointFlag) {
    switch (pointFlag) {
    case PointAuto:
        return {&objects->green, &objects->greenBrush, HitRadius};
    case HandleEnd:
        return {&objects->yellow, &objects->yellowBrush, HitRadius};
    case PointSelected:
        return {&objects->red, &objects->redBrush, HitRadius};
    case PointFixed:
        return {&objects->blue, &objects->blueBrush, HitRadius};
    case SmallDot:
        return {&objects->teal, nullptr, 1};
    default:
        Error::Fatal(Tag, "ありえない点の性質フラグを検出");
    }
}

const platform::Surface* DesignOf(int designFlag) {
    switch (designFlag) {
    case SelectDesign:
        return objects->select.get();
    case HandDesign:
        return objects->hand.get();
    case CameraDesign:
        return objects->camera.get();
    default:
        Error::Fatal(Tag, "ありえないデザインフラグを検出");
    }
}

} // namespace

void CreateDrawObjects() {
    objects = std::make_unique<DrawObjects>();
}

void DeleteDrawObjects() {
    objects.reset();
}

void ClearView(CameraControl& camera) {
    platform::DrawContext* surface = camera.GetSurface();
    if (surface == nullptr) {
        return;
    }
    int width = 0;
    int height = 0;
    camera.GetScreenSize(width, height);
    ClearView(*surface, width, height);
}

void ClearView(platform::DrawContext& surface, int width, int height) {
    const Brush* previous = surface.SelectBrush(&objects->background);
    surface.PatBlt(0, 0, width, height);
    surface.SelectBrush(previous);
}

void DrawPoint(platform::DrawContext& surface, int x, int y, int viewWidth, int viewHeight,
               int pointFlag) {
    const Marker marker = MarkerOf(pointFlag);
    const Pen* previousPen = surface.SelectPen(marker.pen);
    const Brush* previousBrush =
        marker.brush != nullptr ? surface.SelectBrush(marker.brush) : nullptr;
    const int r = marker.radius;
    if (x + r >= 0 && x - r <= viewWidth && y + r >= 0 && y - r <= viewHeight) {
        surface.Ellipse(x - r, y - r, x + r, y + r);
    }
    if (marker.brush != nullptr) {
        surface.SelectBrush(previousBrush);
    }
    surface.SelectPen(previousPen);
}

const platform::Pen* GetLinePen(int lineFlag) {
    switch (lineFlag) {
    case HandleLine:
        return &objects->yellow;
    case CentreLine:
        return &objects->green;
    case CrossSectionLine:
        return &objects->grey120;
    case GridLine:
        return &objects->grey96;
    case SelectedCentreLine:
        return &objects->red;
    case EdgeLine:
        return &objects->grey200;
    case WhiteLine:
        return &objects->white;
    case WarningLine:
        return &objects->magenta;
    case CombLine:
        return &objects->orange;
    default:
        Error::Report(Tag, "ありえないフラグを検出", 3);
        return nullptr;
    }
}

// The mask ORed in whitens the picture's area; the picture ANDed in then shows there,
// while the black mask and white ground leave the rest of the view as it was.
void DrawDesign(platform::DrawContext& surface, int x, int y, int designFlag) {
    const platform::Surface* design = DesignOf(designFlag);
    if (design == nullptr) {
        return;
    }
    platform::DrawContext memory;
    memory.SelectSurface(const_cast<platform::Surface*>(design));
    surface.BitBlt(x, y, DesignSize, DesignSize, memory, 0, 0, platform::RasterOp::SourceOr);
    surface.BitBlt(x, y, DesignSize, DesignSize, memory, DesignSize, 0,
                   platform::RasterOp::SourceAnd);
}

bool HitPoint(int px, int py, int x, int y) {
    return x + HitRadius > px && x - HitRadius < px && y + HitRadius > py && y - HitRadius < py;
}

int GetHitRadius() {
    return HitRadius;
}

int GetGridSpacing() {
    return GridSpacing;
}

int GetGridLineCount() {
    return GridLineCount;
}

Vec3d MakeDevelopedPoint(const Vec3d& centre, double lateral, double along) {
    return {lateral, centre.y, along};
}

double PlaneDistance(const Vec3d& a, const Vec3d& b) {
    const double dx = a.x - b.x;
    const double dz = a.z - b.z;
    return std::sqrt(dx * dx + dz * dz);
}

double SpaceDistance(const Vec3d& a, const Vec3d& b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const double dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

} // namespace DispControl
