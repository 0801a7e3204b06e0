#include "views/PerspecDisp.h"

#include "model/CourseData.h"
#include "platform/Surface.h"
#include "render/PerspecCamera.h"
#include "render/PictureBank.h"
#include "views/DispControl.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace PerspecDisp {
namespace {

// Height of the eye above the road, along the road's rolled up direction.
constexpr double EyeHeight = 10.0;

// The road's colour when the texture cannot be used: a one-texel texture.
const std::uint16_t RoadGrey = platform::Rgb15(72, 72, 72);
const TextureView PlainRoad{&RoadGrey, 0, 0};

int textureId = -1;

// Heading and pitch of a tangent: (sin, cos) of the turn about y that brings it into the
// y-z plane, and (sin, cos) of its climb. A vertical tangent takes no heading turn.
struct Direction {
    double sy, cy, sp, cp;
};

bool DirectionOf(const Vec3d& t, Direction& d) {
    const double h = std::sqrt(t.x * t.x + t.z * t.z);
    const double l = std::sqrt(t.x * t.x + t.y * t.y + t.z * t.z);
    if (l == 0.0) {
        return false;
    }
    d.sy = h != 0.0 ? -t.x / h : 0.0;
    d.cy = h != 0.0 ? t.z / h : 1.0;
    d.sp = t.y / l;
    d.cp = h / l;
    return true;
}

// Rounding can leave a quotient a hair beyond 1; the camera refuses such a sine.
float Unit(double value) {
    return static_cast<float>(std::clamp(value, -1.0, 1.0));
}

// A coordinate beyond float's range becomes infinite rather than going through a
// conversion the language leaves undefined; the camera leaves out polygons that hold one.
float Single(double v) {
    constexpr double Largest = std::numeric_limits<float>::max();
    constexpr float Infinity = std::numeric_limits<float>::infinity();
    return v > Largest ? Infinity : (v < -Largest ? -Infinity : static_cast<float>(v));
}

Vec3 Single(const Vec3d& v) {
    return {Single(v.x), Single(v.y), Single(v.z)};
}

Vec3d TangentAt(int32_t segment, double t) {
    Vec3d tangent{};
    CourseData::GetCourseTangent(segment, t, tangent.x, tangent.y, tangent.z);
    return tangent;
}

bool SectionAt(int32_t segment, double t, Section& section) {
    Vec3d point{};
    double width1 = 0.0;
    double width2 = 0.0;
    double roll = 0.0;
    CourseData::GetCoursePosition(segment, t, point.x, point.y, point.z);
    CourseData::GetCourseWidth(segment, t, width1, width2);
    CourseData::GetCourseRoll(segment, t, roll);
    return MakeSectionEdges(point, TangentAt(segment, t), width1, width2, roll, section.edge1,
                            section.edge2);
}

int SamplesOf(int32_t segment) {
    return std::max(CourseData::GetSampleNum(segment), 0);
}

TextureView CurrentTexture() {
    if (textureId < 0 || PictureBank::GetColorBits() != 16 ||
        !PictureBank::HasPow2Data(textureId)) {
        return PlainRoad;
    }
    std::int32_t log2Width = 0;
    std::int32_t log2Height = 0;
    const std::uint8_t* data = PictureBank::GetPow2Data(textureId, log2Width, log2Height);
    return {reinterpret_cast<const std::uint16_t*>(data), log2Width, log2Height};
}

// The horizon in the grid's grey, drawn before the road so that the road covers it; with
// the eye banked along the road it shows the road's roll as its own tilt.
void DrawHorizon(const PerspecCamera& camera, platform::DrawContext& surface) {
    const std::optional<ScreenLine> horizon = camera.Horizon();
    if (!horizon) {
        return;
    }
    const platform::Pen* previous =
        surface.SelectPen(DispControl::GetLinePen(DispControl::GridLine));
    surface.MoveTo(horizon->x0, horizon->y0);
    surface.LineTo(horizon->x1, horizon->y1);
    surface.SelectPen(previous);
}

} // namespace

int RegisterTexture(const char* path) {
    textureId = PictureBank::RegisterTexture(path);
    return textureId;
}

void ReleaseTexture() {
    textureId = -1;
}

void Render(PerspecCamera& camera, int mode) {
    int32_t segment = 0;
    double t = 0.0;
    if (CourseData::GetCameraPosition(segment, t) != 0) {
        Render(camera, mode, -1, 0.0);
        return;
    }
    Render(camera, mode, segment, t);
}

void Render(PerspecCamera& camera, int mode, int32_t segment, double t) {
    platform::DrawContext* surface = camera.GetSurface();
    int width = 0;
    int height = 0;
    camera.GetScreenSize(width, height);
    if (surface != nullptr) {
        DispControl::ClearView(*surface, width, height);
    }
    if (segment < 0 || surface == nullptr) {
        return;
    }
    Section sections[MaxSections];
    const int m = CutSections(segment, t, sections);
    if (!UpdateCamera(camera, segment, t)) {
        return;
    }
    DrawHorizon(camera, *surface);
    // Both edges of every section in camera space.
    Vec3 seen1[MaxSections];
    Vec3 seen2[MaxSections];
    for (int i = 0; i < m; ++i) {
        seen1[i] = camera.WorldToCamera(Single(sections[i].edge1));
        seen2[i] = camera.WorldToCamera(Single(sections[i].edge2));
    }
    const int drawMode = mode != Wireframe ? PerspecCamera::Textured : PerspecCamera::Wireframe;
    const TextureView texture = drawMode == PerspecCamera::Textured ? CurrentTexture() : PlainRoad;
    // u runs across the road from edge 1 to edge 2, v along one sample interval.
    const Vec2 uvs[4] = {{0.0F, 0.0F}, {1.0F, 0.0F}, {1.0F, 1.0F}, {0.0F, 1.0F}};
    for (int i = m - 2; i >= 0; --i) {
        const Vec3 quad[4] = {seen1[i], seen2[i], seen2[i + 1], seen1[i + 1]};
        camera.DrawPolygon(quad, uvs, 4, texture, drawMode);
    }
}

bool UpdateCamera(PerspecCamera& camera, int32_t segment, double t) {
    const Vec3d tangent = TangentAt(segment, t);
    double roll = 0.0;
    CourseData::GetCourseRoll(segment, t, roll);
    Direction d{};
    Mat3d frame{};
    if (!DirectionOf(tangent, d) || !MakeSectionFrame(tangent, roll, frame)) {
        return false;
    }
    // Turning back by the roll about the view axis banks the eye with the road: the road's
    // rolled side comes out level on the screen and the horizon tilts instead.
    camera.SetRotation(Unit(d.sp), Unit(d.cp), Unit(d.sy), Unit(d.cy), Unit(-std::sin(roll)),
                       Unit(std::cos(roll)));
    Vec3d point{};
    CourseData::GetCoursePosition(segment, t, point.x, point.y, point.z);
    Vec3d lift{};
    MulVec(lift, frame, Vec3d{0.0, EyeHeight, 0.0});
    Add(point, point, lift);
    const Vec3 eye = Single(point);
    camera.SetPosition(eye.x, eye.y, eye.z);
    camera.UpdateObject();
    return true;
}

int CutSections(int32_t segment, double t, Section (&sections)[MaxSections]) {
    const int n = CourseData::GetPointNum();
    const bool loop = CourseData::IsLoop() == 1;
    int32_t s = segment;
    int k = SamplesOf(s);
    double step = 1.0 / (k + 1);
    double p = 0.0;
    int c = 0;
    while (p + step < t) {
        p += step;
        ++c;
    }
    // Places visited, kept or not: a course whose tangents all vanish still ends the walk.
    int places = 1;
    int m = SectionAt(s, p, sections[0]) ? 1 : 0;
    for (;;) {
        while (c < k + 1 && places < MaxSections) {
            p += step;
            ++c;
            ++places;
            m += SectionAt(s, p, sections[m]) ? 1 : 0;
        }
        if (places >= MaxSections || (s >= n - 2 && !loop)) {
            return m;
        }
        s = s == n - 1 && loop ? 0 : s + 1;
        k = SamplesOf(s);
        step = 1.0 / (k + 1);
        p = 0.0;
        c = 0;
    }
}

bool MakeSectionFrame(const Vec3d& tangent, double roll, Mat3d& frame) {
    Direction d{};
    if (!DirectionOf(tangent, d)) {
        return false;
    }
    const double sr = std::sin(roll);
    const double cr = std::cos(roll);
    const double side[3] = {d.sp * d.sy * sr + d.cy * cr, d.cp * sr, d.sy * cr - d.sp * d.cy * sr};
    const double up[3] = {d.sp * d.sy * cr - d.cy * sr, d.cp * cr, -d.sy * sr - d.sp * d.cy * cr};
    const double forward[3] = {-d.cp * d.sy, d.sp, d.cp * d.cy};
    for (int row = 0; row < 3; ++row) {
        frame.m[row][0] = side[row];
        frame.m[row][1] = up[row];
        frame.m[row][2] = forward[row];
    }
    return true;
}

bool MakeSectionEdges(const Vec3d& point, const Vec3d& tangent, double width1, double width2,
                      double roll, Vec3d& edge1, Vec3d& edge2) {
    Mat3d frame{};
    if (!MakeSectionFrame(tangent, roll, frame)) {
        return false;
    }
    Vec3d offset{};
    MulVec(offset, frame, Vec3d{width1, 0.0, 0.0});
    Add(edge1, point, offset);
    MulVec(offset, frame, Vec3d{width2, 0.0, 0.0});
    Sub(edge2, point, offset);
    return true;
}

} // namespace PerspecDisp
