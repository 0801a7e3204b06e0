#pragma once

#include <cmath>
#include <numbers>
#include <type_traits>

// Small value types and in-place operations shared by the course geometry (double
// precision) and the perspective pipeline (single precision). Each operation writes
// into a caller-supplied record, which may be one of its inputs, and returns it.

// Angles are kept in radians; people read and type them in degrees.
constexpr double DegreesPerRadian = 180.0 / std::numbers::pi;

struct Vec3 {
    float x, y, z;
};

struct Vec3d {
    double x, y, z;
};

// A texture coordinate.
struct Vec2 {
    float u, v;
};

// Row-major: m[row][column].
struct Mat3 {
    float m[3][3];
};

struct Mat3d {
    double m[3][3];
};

struct Mat4 {
    float m[4][4];
};

inline Vec3& Set(Vec3& r, float x, float y, float z) {
    r = {x, y, z};
    return r;
}

inline Vec3d& Set(Vec3d& r, double x, double y, double z) {
    r = {x, y, z};
    return r;
}

inline Vec2& Set(Vec2& r, float u, float v) {
    r = {u, v};
    return r;
}

inline Vec3& Add(Vec3& r, const Vec3& a, const Vec3& b) {
    return Set(r, a.x + b.x, a.y + b.y, a.z + b.z);
}

inline Vec3d& Add(Vec3d& r, const Vec3d& a, const Vec3d& b) {
    return Set(r, a.x + b.x, a.y + b.y, a.z + b.z);
}

inline Vec2& Add(Vec2& r, const Vec2& a, const Vec2& b) {
    return Set(r, a.u + b.u, a.v + b.v);
}

inline Vec3& Sub(Vec3& r, const Vec3& a, const Vec3& b) {
    return Set(r, a.x - b.x, a.y - b.y, a.z - b.z);
}

inline Vec3d& Sub(Vec3d& r, const Vec3d& a, const Vec3d& b) {
    return Set(r, a.x - b.x, a.y - b.y, a.z - b.z);
}

inline Vec2& Sub(Vec2& r, const Vec2& a, const Vec2& b) {
    return Set(r, a.u - b.u, a.v - b.v);
}

inline Vec3& Scale(Vec3& r, const Vec3& a, float f) {
    return Set(r, a.x * f, a.y * f, a.z * f);
}

inline Vec3d& Scale(Vec3d& r, const Vec3d& a, double f) {
    return Set(r, a.x * f, a.y * f, a.z * f);
}

inline Vec2& Scale(Vec2& r, const Vec2& a, float f) {
    return Set(r, a.u * f, a.v * f);
}

// One reciprocal and three products, as the pipeline expects (not three divisions).
inline Vec3& Divide(Vec3& r, const Vec3& a, float f) {
    const float inv = 1.0F / f;
    return Scale(r, a, inv);
}

inline Vec2& Divide(Vec2& r, const Vec2& a, float f) {
    const float inv = 1.0F / f;
    return Scale(r, a, inv);
}

// a + (b - a) * t, in exactly that order, so t = 0 gives a bit for bit.
inline Vec2& Lerp(Vec2& r, const Vec2& a, const Vec2& b, float t) {
    Vec2 d{};
    Sub(d, b, a);
    Scale(d, d, t);
    return Add(r, a, d);
}

template <class M> M& SetZero(M& r) {
    for (auto& row : r.m) {
        for (auto& e : row) {
            e = 0;
        }
    }
    return r;
}

template <class M> M& SetIdentity(M& r) {
    SetZero(r);
    constexpr int size = std::extent_v<decltype(r.m)>;
    for (int i = 0; i < size; ++i) {
        r.m[i][i] = 1;
    }
    return r;
}

inline Mat3& MulMat(Mat3& r, const Mat3& a, const Mat3& b) {
    Mat3 p{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            p.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
        }
    }
    r = p;
    return r;
}

template <class M, class V> V& MulVec(V& r, const M& a, const V& v) {
    const V s = v;
    r.x = a.m[0][0] * s.x + a.m[0][1] * s.y + a.m[0][2] * s.z;
    r.y = a.m[1][0] * s.x + a.m[1][1] * s.y + a.m[1][2] * s.z;
    r.z = a.m[2][0] * s.x + a.m[2][1] * s.y + a.m[2][2] * s.z;
    return r;
}

inline Vec3& MulVec(Vec3& r, const Mat3& a, const Vec3& v) {
    return MulVec<Mat3, Vec3>(r, a, v);
}

inline Vec3d& MulVec(Vec3d& r, const Mat3d& a, const Vec3d& v) {
    return MulVec<Mat3d, Vec3d>(r, a, v);
}

// The rotation Rz(rz) * Rx(rx) * Ry(ry) for column vectors, written out in closed form:
// a world vector turns first about y, then about x, then about z.
template <class M> M& SetRotation(M& r, double rx, double ry, double rz) {
    const double sx = std::sin(rx);
    const double cx = std::cos(rx);
    const double sy = std::sin(ry);
    const double cy = std::cos(ry);
    const double sz = std::sin(rz);
    const double cz = std::cos(rz);
    using E = std::remove_reference_t<decltype(r.m[0][0])>;
    r.m[0][0] = static_cast<E>(cy * cz - sx * sy * sz);
    r.m[0][1] = static_cast<E>(-cx * sz);
    r.m[0][2] = static_cast<E>(sx * sz * cy + sy * cz);
    r.m[1][0] = static_cast<E>(sx * sy * cz + cy * sz);
    r.m[1][1] = static_cast<E>(cx * cz);
    r.m[1][2] = static_cast<E>(sy * sz - sx * cy * cz);
    r.m[2][0] = static_cast<E>(-cx * sy);
    r.m[2][1] = static_cast<E>(sx);
    r.m[2][2] = static_cast<E>(cx * cy);
    return r;
}
