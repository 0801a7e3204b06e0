#include "render/PerspecCamera.h"

#include "base/Error.h"
#include "platform/DrawContext.h"
#include "render/Clipping.h"
#include "render/PerspecTextureEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr const char* Tag = "PerspecCamera1";

const platform::Pen WhitePen{platform::Rgb15(255, 255, 255)};

// Written as a comparison that NaN fails, so a NaN is refused like any other wrong value.
void CheckUnit(float value, const char* message) {
    if (!(value >= -1.0F && value <= 1.0F)) {
        Error::Report(Tag, message, 3);
    }
}

void CheckPositive(float value, const char* message) {
    if (!(value > 0.0F)) {
        Error::Report(Tag, message, 3);
    }
}

// Camera-space coordinates beyond this lie far outside any view, and near the largest
// float the clip's differences and the projection's products would overflow.
constexpr float Reach = 1e30F;

// Written as comparisons that NaN fails, so a vertex that is not a number is out of reach.
bool WithinReach(const Vec3* vertices, int count) {
    return std::all_of(vertices, vertices + count, [](const Vec3& v) {
        return std::abs(v.x) <= Reach && std::abs(v.y) <= Reach && std::abs(v.z) <= Reach;
    });
}

// Toward zero, held to +-2^29 so that the orientation test's 64-bit products cannot
// overflow however far off the surface a vertex projects; a NaN lands on the lower bound
// instead of being converted.
std::int64_t ScreenInteger(float f) {
    constexpr float Bound = 536870912.0F;
    return static_cast<std::int64_t>(f > Bound ? Bound : (f >= -Bound ? std::trunc(f) : -Bound));
}

int ScreenPixel(float f) {
    return static_cast<int>(ScreenInteger(f));
}

// The line a x + b y + c = 0 as two pixels on it off the surface on either side, from its
// point nearest the surface's middle; none when it misses the surface. A pixel holds the
// points that truncate to it.
std::optional<ScreenLine> LineAcross(double a, double b, double c, int width, int height) {
    const double n = std::hypot(a, b);
    const double w = width;
    const double h = height;
    const auto side = [&](double x, double y) { return a * x + b * y + c; };
    const double corners[4] = {side(0, 0), side(w, 0), side(0, h), side(w, h)};
    const auto [low, high] = std::minmax_element(corners, corners + 4);
    if (!(n > 0.0 && *low <= 0.0 && *high >= 0.0)) {
        return std::nullopt;
    }
    const double offset = side(w / 2, h / 2) / (n * n);
    const double midX = w / 2 - offset * a;
    const double midY = h / 2 - offset * b;
    const double reach = (w + h) / n; // along (b, -a), farther than the surface's diagonal
    return ScreenLine{static_cast<int>(std::floor(midX + reach * b)),
                      static_cast<int>(std::floor(midY - reach * a)),
                      static_cast<int>(std::floor(midX - reach * b)),
                      static_cast<int>(std::floor(midY + reach * a))};
}

} // namespace

void PerspecCamera::Reset() {
    position = {0.0F, 0.0F, 0.0F};
    sinRx = sinRy = sinRz = 0.0F;
    cosRx = cosRy = cosRz = 1.0F;
    LenzWIdth = 1.0F;
    LenzHeight = 1.0F;
    LenzDst = 1.0F;
    ViewOffset = 1.0F;
    FarDst = 50.0F;
    screen.reset();
    width = height = 0;
    SetZero(rotation);
    scaleX = scaleY = depthScale = 0.0F;
    centreX = centreY = 0;
    state = NoScreen;
}

void PerspecCamera::SetScreen(int newWidth, int newHeight) {
    if (screen == nullptr) {
        screen = std::make_unique<platform::BackBuffer>();
    }
    platform::WindowsService::CreateBackBuffer(*screen, newWidth, newHeight);
    const bool made = screen->surface != nullptr;
    width = made ? newWidth : 0;
    height = made ? newHeight : 0;
    UpdateProjection();
    state = RotationStale;
}

void PerspecCamera::ReleaseScreen() {
    Reset();
}

platform::DrawContext* PerspecCamera::GetSurface() {
    return screen != nullptr && screen->surface != nullptr ? screen->context.get() : nullptr;
}

const platform::DrawContext* PerspecCamera::GetSurface() const {
    return screen != nullptr && screen->surface != nullptr ? screen->context.get() : nullptr;
}

void PerspecCamera::GetScreenSize(int& w, int& h) const {
    w = width;
    h = height;
}

void PerspecCamera::SetPosition(float x, float y, float z) {
    position = {x, y, z};
}

void PerspecCamera::SetRotation(float sinX, float cosX, float sinY, float cosY, float sinZ,
                                float cosZ) {
    if (state == NoScreen) {
        Error::Report(Tag, "スクリーンが設定されていないのにオブジェクトを更新しようとした", 3);
        return;
    }
    CheckUnit(sinX, "sinRxにありえない値を検出");
    CheckUnit(cosX, "cosRxにありえない値を検出");
    CheckUnit(sinY, "sinRyにありえない値を検出");
    CheckUnit(cosY, "cosRyにありえない値を検出");
    CheckUnit(sinZ, "sinRzにありえない値を検出");
    CheckUnit(cosZ, "cosRzにありえない値を検出");
    sinRx = sinX;
    cosRx = cosX;
    sinRy = sinY;
    cosRy = cosY;
    sinRz = sinZ;
    cosRz = cosZ;
    state = RotationStale;
}

void PerspecCamera::GetLens(float& lensWidth, float& lensHeight, float& lensDst, float& viewOffset,
                            float& farDst) const {
    lensWidth = LenzWIdth;
    lensHeight = LenzHeight;
    lensDst = LenzDst;
    viewOffset = ViewOffset;
    farDst = FarDst;
}

void PerspecCamera::SetLens(float lensWidth, float lensHeight, float lensDst, float viewOffset,
                            float farDst) {
    CheckPositive(lensWidth, "マイナス値をLenzWIdthに設定しようとした");
    CheckPositive(lensHeight, "マイナス値をLenzHeightに設定しようとした");
    CheckPositive(lensDst, "マイナス値をLenzDstに設定しようとした");
    if (!(lensDst < farDst)) {
        Error::Report(Tag, "LenzDst>FarDstに設定しようとした", 3);
    }
    LenzWIdth = lensWidth;
    LenzHeight = lensHeight;
    LenzDst = lensDst;
    ViewOffset = viewOffset;
    FarDst = farDst;
    UpdateProjection();
}

// Rz * Rx * Ry in closed form, from the stored sines and cosines.
void PerspecCamera::UpdateObject() {
    if (state == NoScreen) {
        Error::Report(Tag, "スクリーンが設定されていないのにオブジェクトを更新しようとした", 3);
        return;
    }
    if (state == Ready) {
        return;
    }
    const float sx = sinRx, cx = cosRx, sy = sinRy, cy = cosRy, sz = sinRz, cz = cosRz;
    rotation.m[0][0] = cy * cz - sx * sy * sz;
    rotation.m[0][1] = -cx * sz;
    rotation.m[0][2] = sx * sz * cy + sy * cz;
    rotation.m[1][0] = sx * sy * cz + cy * sz;
    rotation.m[1][1] = cx * cz;
    rotation.m[1][2] = sy * sz - sx * cy * cz;
    rotation.m[2][0] = -cx * sy;
    rotation.m[2][1] = sx;
    rotation.m[2][2] = cx * cy;
    state = Ready;
}

Vec3 PerspecCamera::WorldToCamera(const Vec3& p) const {
    RequireCurrentRotation();
    Vec3 v{};
    Sub(v, p, position);
    MulVec(v, rotation, v);
    v.z += ViewOffset;
    return v;
}

void PerspecCamera::Project(Vec3* vertices, int count) const {
    for (int i = 0; i < count; ++i) {
        Vec3& v = vertices[i];
        const float r = 1.0F / v.z;
        v.x = scaleX * v.x * r + static_cast<float>(centreX);
        v.y = static_cast<float>(centreY) - scaleY * v.y * r;
        v.z = v.z * depthScale;
    }
}

void PerspecCamera::DrawPolygon(const Vec3* vertices, const Vec2* uvs, int count,
                                const TextureView& texture, int mode) {
    RequireCurrentRotation();
    if (count < 0 || count > MaxVertices) {
        Error::Report(Tag, "ポリゴンの頂点数が範囲外", 3);
        return;
    }
    // A view of no size has no surface and nothing to draw (the fill engine would refuse
    // an edge table of no lines).
    platform::DrawContext* context = GetSurface();
    if (context == nullptr || width < 1 || height < 1 || !WithinReach(vertices, count)) {
        return;
    }
    Vec3 p[Clipping::BufferSize];
    Vec2 uv[Clipping::BufferSize];
    std::copy(vertices, vertices + count, p);
    std::copy(uvs, uvs + count, uv);
    int n = Clipping::ClipDepth(p, uv, count, Clipping::BufferSize, LenzDst, FarDst);
    if (n == 0) {
        return;
    }
    Project(p, n);
    if (mode == Textured && FacesAway(p, n)) {
        return;
    }
    n = Clipping::ClipScreen(p, uv, n, Clipping::BufferSize, width, height);
    if (n == 0) {
        return;
    }
    if (mode == Textured) {
        PerspecTextureEngine::DrawPolygon(*screen->surface, p, uv, n, texture);
    } else {
        DrawOutline(p, n);
    }
}

std::optional<ScreenLine> PerspecCamera::Horizon() const {
    RequireCurrentRotation();
    if (GetSurface() == nullptr) {
        return std::nullopt;
    }
    // World up in camera space.
    const double upX = rotation.m[0][1];
    const double upY = rotation.m[1][1];
    const double upZ = rotation.m[2][1];
    // Level directions d (up . d = 0) project onto a x + b y + c = 0 in pixels.
    const double a = upX * scaleY;
    const double b = -upY * scaleX;
    const double c = upZ * scaleX * scaleY - a * centreX - b * centreY;
    return LineAcross(a, b, c, width, height);
}

void PerspecCamera::UpdateProjection() {
    scaleX = static_cast<float>(width) / LenzWIdth;
    scaleY = static_cast<float>(height) / LenzHeight;
    depthScale = 1.0F / FarDst;
    centreX = width / 2;
    centreY = height / 2;
}

void PerspecCamera::RequireCurrentRotation() const {
    if (state != Ready) {
        Error::Report(Tag, "オブジェクトデータを更新する必要がある", 3);
    }
}

// The negated sum of the fan's cross products about vertex 0: positive when the polygon
// runs counter-clockwise on the screen (y down), that is when its back is seen.
bool PerspecCamera::FacesAway(const Vec3* projected, int count) const {
    const std::int64_t x0 = ScreenInteger(projected[0].x);
    const std::int64_t y0 = ScreenInteger(projected[0].y);
    float sum = 0.0F;
    for (int i = 1; i < count; ++i) {
        const int j = i + 1 == count ? 0 : i + 1;
        const std::int64_t ax = ScreenInteger(projected[i].x) - x0;
        const std::int64_t ay = ScreenInteger(projected[i].y) - y0;
        const std::int64_t bx = ScreenInteger(projected[j].x) - x0;
        const std::int64_t by = ScreenInteger(projected[j].y) - y0;
        sum -= static_cast<float>(ax * by - bx * ay);
    }
    return sum > 1.0F;
}

void PerspecCamera::DrawOutline(const Vec3* vertices, int count) {
    platform::DrawContext& context = *screen->context;
    const platform::Pen* previous = context.SelectPen(&WhitePen);
    context.MoveTo(ScreenPixel(vertices[0].x), ScreenPixel(vertices[0].y));
    for (int i = 1; i < count; ++i) {
        context.LineTo(ScreenPixel(vertices[i].x), ScreenPixel(vertices[i].y));
    }
    context.LineTo(ScreenPixel(vertices[0].x), ScreenPixel(vertices[0].y));
    context.SelectPen(previous);
}
