#include "render/Clipping.h"

#include "base/Error.h"

#include <algorithm>
#include <utility>

namespace Clipping {
namespace {

constexpr const char* Tag = "Clipping4";

// Endpoints in a fixed order: swapped when a >= b comparing x, then y, then z.
bool SwapForOrder(const Vec3& a, const Vec3& b) {
    if (a.x != b.x) {
        return a.x > b.x;
    }
    if (a.y != b.y) {
        return a.y > b.y;
    }
    return a.z >= b.z;
}

struct Edge {
    Vec3 a, b;
    Vec2 uvA, uvB;
};

Edge Ordered(const Vec3& a, const Vec2& uvA, const Vec3& b, const Vec2& uvB) {
    Edge e{a, b, uvA, uvB};
    if (SwapForOrder(a, b)) {
        std::swap(e.a, e.b);
        std::swap(e.uvA, e.uvB);
    }
    return e;
}

// Screen-space cut along one axis. The screen fraction t is turned into the camera-space
// fraction s = t * a.z / ((1 - t) * b.z + t * a.z), so depth and texture coordinates follow
// the perspective; both fractions are evaluated in double and rounded once to float.
void CutScreen(const Edge& e, float Vec3::*axis, float Vec3::*other, float c, Vec3& p, Vec2& uv) {
    const double ta = e.a.*axis;
    const float t = static_cast<float>((c - ta) / (e.b.*axis - ta));
    const double az = e.a.z;
    const double bz = e.b.z;
    const float s = static_cast<float>(t * az / (bz + (az - bz) * t));
    p.*axis = c;
    p.*other = e.a.*other + (e.b.*other - e.a.*other) * t;
    p.z = e.a.z + (e.b.z - e.a.z) * s;
    Lerp(uv, e.uvA, e.uvB, s);
}

// Appends one vertex; a polygon that would outgrow the buffer is reported before anything
// is written past its end.
void Emit(Vec3* p, Vec2* uv, int& n, int limit, const Vec3& q, const Vec2& quv) {
    if (n >= limit) {
        Error::Fatal(Tag, "クリッピングバッファが足りない。メモリ破壊");
    }
    p[n] = q;
    uv[n] = quv;
    ++n;
}

// One pass against one plane: keeps inside vertices and adds the intersection of every
// edge that crosses the plane (a vertex on the plane is inside).
template <class Inside, class Cut>
int Pass(const Vec3* inP, const Vec2* inUv, int count, Vec3* outP, Vec2* outUv, int limit,
         Inside inside, Cut cut) {
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const int j = i + 1 == count ? 0 : i + 1;
        const bool pIn = inside(inP[i]);
        if (pIn) {
            Emit(outP, outUv, n, limit, inP[i], inUv[i]);
        }
        if (pIn != inside(inP[j])) {
            Vec3 q{};
            Vec2 quv{};
            cut(inP[i], inUv[i], inP[j], inUv[j], q, quv);
            Emit(outP, outUv, n, limit, q, quv);
        }
    }
    return n;
}

int Limit(int capacity) {
    return std::min(capacity, BufferSize);
}

} // namespace

void IntersectX(const Vec3& a, const Vec2& uvA, const Vec3& b, const Vec2& uvB, float x, Vec3& p,
                Vec2& uv) {
    if (a.x == b.x) {
        Error::Fatal(Tag, "X面と平行の直線との交点を求めようとした");
    }
    CutScreen(Ordered(a, uvA, b, uvB), &Vec3::x, &Vec3::y, x, p, uv);
}

void IntersectY(const Vec3& a, const Vec2& uvA, const Vec3& b, const Vec2& uvB, float y, Vec3& p,
                Vec2& uv) {
    if (a.y == b.y) {
        Error::Fatal(Tag, "Y面と平行の直線との交点を求めようとした");
    }
    CutScreen(Ordered(a, uvA, b, uvB), &Vec3::y, &Vec3::x, y, p, uv);
}

void IntersectZ(const Vec3& a, const Vec2& uvA, const Vec3& b, const Vec2& uvB, float z, Vec3& p,
                Vec2& uv) {
    if (a.z == b.z) {
        Error::Fatal(Tag, "Z面と平行の直線との交点を求めようとした");
    }
    const Edge e = Ordered(a, uvA, b, uvB);
    const float t = (z - e.a.z) / (e.b.z - e.a.z);
    p.x = e.a.x + (e.b.x - e.a.x) * t;
    p.y = e.a.y + (e.b.y - e.a.y) * t;
    p.z = z;
    Lerp(uv, e.uvA, e.uvB, t);
}

namespace {

using IntersectFn = void (*)(const Vec3&, const Vec2&, const Vec3&, const Vec2&, float, Vec3&,
                             Vec2&);

auto CutAt(IntersectFn intersect, float c) {
    return [intersect, c](const Vec3& a, const Vec2& ua, const Vec3& b, const Vec2& ub, Vec3& p,
                          Vec2& uv) { intersect(a, ua, b, ub, c, p, uv); };
}

} // namespace

int ClipDepth(Vec3* positions, Vec2* uvs, int count, int capacity, float nearZ, float farZ) {
    Vec3 workP[BufferSize];
    Vec2 workUv[BufferSize];
    const int limit = Limit(capacity);
    const int n = Pass(
        positions, uvs, count, workP, workUv, limit,
        [nearZ](const Vec3& v) { return v.z >= nearZ; }, CutAt(IntersectZ, nearZ));
    return Pass(
        workP, workUv, n, positions, uvs, limit, [farZ](const Vec3& v) { return v.z <= farZ; },
        CutAt(IntersectZ, farZ));
}

// No pass can outgrow the buffer for the convex polygons the camera sends, but each pass
// still checks, so a wrong caller gets a report instead of overwritten memory.
int ClipScreen(Vec3* positions, Vec2* uvs, int count, int capacity, int width, int height) {
    Vec3 workP[BufferSize];
    Vec2 workUv[BufferSize];
    const int limit = Limit(capacity);
    const float right = static_cast<float>(width - 1);
    const float bottom = static_cast<float>(height - 1);
    int n = Pass(
        positions, uvs, count, workP, workUv, limit, [](const Vec3& v) { return v.x >= 0.0F; },
        CutAt(IntersectX, 0.0F));
    n = Pass(
        workP, workUv, n, positions, uvs, limit, [right](const Vec3& v) { return v.x <= right; },
        CutAt(IntersectX, right));
    n = Pass(
        positions, uvs, n, workP, workUv, limit, [](const Vec3& v) { return v.y >= 0.0F; },
        CutAt(IntersectY, 0.0F));
    return Pass(
        workP, workUv, n, positions, uvs, limit, [bottom](const Vec3& v) { return v.y <= bottom; },
        CutAt(IntersectY, bottom));
}

} // namespace Clipping
