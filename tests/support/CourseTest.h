#pragma once

#include "base/VectorMath.h"
#include "model/CourseData.h"
#include "support/TempDir.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

// A test of the course model: a fresh course in a scratch current directory, so that
// files and any error log stay out of the source tree.
class CourseTest : public ::testing::Test {
protected:
    void SetUp() override { CourseData::Initialize(); }
    void TearDown() override {
        CourseData::Destruct();
        CourseData::ConnectLoopStateHook(nullptr);
    }

    TempDir dir;
    CurrentDir inDir{dir.Path()};
};

// Adds points one after another: each new point lands after the last one added.
inline void AddPoints(std::initializer_list<std::array<double, 3>> points) {
    for (const auto& p : points) {
        CourseData::AddPoint(p[0], p[1], p[2]);
    }
}

// Adds a point after the last one added, its segment cut into samples + 1 steps.
inline void AddSampledPoint(double x, double y, double z, int32_t samples) {
    const int index = CourseData::AddPoint(x, y, z);
    CourseData::ChangeSampleNum(samples - CourseData::GetSampleNum(index));
}

// n points on a wavy ring with varied height, roll, widths and sample counts.
inline void AddRing(int n, int32_t samples = 10) {
    for (int i = 0; i < n; ++i) {
        const double a = 6.283185307179586 * i / n;
        const int index =
            CourseData::AddPoint(1000.0 * std::cos(a), 50.0 * std::sin(3 * a), 800.0 * std::sin(a));
        CourseData::SetRoll(index, 0.2 * std::sin(2 * a));
        CourseData::SetWidth(index, 15.0 + i % 7, 18.0 + i % 5);
        CourseData::ChangeSampleNum(samples + i % 3 - CourseData::GetSampleNum(index));
    }
}

// Readers that return what the model hands out through out-parameters.
inline Vec3d PositionOf(int index) {
    Vec3d p{};
    CourseData::GetPosition(index, p.x, p.y, p.z);
    return p;
}

inline Vec3d HandleOf(int index) {
    Vec3d t{};
    int32_t fx = 0;
    int32_t fy = 0;
    int32_t fz = 0;
    CourseData::GetTangent(index, t.x, t.y, t.z, fx, fy, fz);
    return t;
}

inline std::array<int32_t, 3> FixedFlagsOf(int index) {
    std::array<int32_t, 3> f{};
    CourseData::GetTangentFixed(index, f[0], f[1], f[2]);
    return f;
}

inline std::array<double, 2> WidthsOf(int index) {
    std::array<double, 2> w{};
    CourseData::GetWidth(index, w[0], w[1]);
    return w;
}

inline int32_t SelectedPoint() {
    int32_t index = 0;
    int32_t state = 0;
    CourseData::GetHandle(index, state);
    return index;
}

// The selected point (-1 for none) and what of it is gripped.
inline std::pair<int32_t, int32_t> SelectionOf() {
    std::pair<int32_t, int32_t> selection{-1, 0};
    CourseData::GetHandle(selection.first, selection.second);
    return selection;
}

struct CameraPlace {
    int32_t segment = -1;
    double t = 0.0;
    bool operator==(const CameraPlace&) const = default;
};

inline CameraPlace CameraOf() {
    CameraPlace c;
    CourseData::GetCameraPosition(c.segment, c.t);
    return c;
}

inline std::ostream& operator<<(std::ostream& out, const CameraPlace& c) {
    return out << "segment " << c.segment << " t " << c.t;
}
