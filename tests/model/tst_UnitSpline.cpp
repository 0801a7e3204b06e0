#include "model/UnitSpline.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <tuple>
#include <vector>

namespace {

constexpr int Auto = UnitSpline::PointAuto;
constexpr int Fixed = UnitSpline::PointFixed;

double Tangent(const UnitSpline& s, int i) {
    double value = 0.0;
    double tangent = 0.0;
    s.GetPoint(i, value, tangent);
    return tangent;
}

double At(const UnitSpline& s, int segment, double t) {
    double v = 0.0;
    s.Evaluate(segment, t, v);
    return v;
}

double Slope(const UnitSpline& s, int segment, double t) {
    double v = 0.0;
    s.EvaluateTangent(segment, t, v);
    return v;
}

// Second derivative from the cubic through value and slope at both ends.
double Curvature(const UnitSpline& s, int segment, double t) {
    const double h = 1e-3;
    return (Slope(s, segment, t + h) - Slope(s, segment, t - h)) / (2 * h);
}

TEST(UnitSpline, SolvesKnownTangents) {
    // Values, shape, tangents. The closing row carries no term back to the first point, so a
    // loop's tangents are not symmetric.
    const std::tuple<std::vector<double>, int, std::vector<double>> cases[] = {
        {{0.0, 1.0}, UnitSpline::ShapeOpen, {1.0, 1.0}},
        {{0.0, 1.0, 0.0}, UnitSpline::ShapeOpen, {1.5, 0.0, -1.5}},
        {{0.0, 1.0, 0.0}, UnitSpline::ShapeLoop, {18.0 / 19.0, -1.0 / 19.0, -14.0 / 19.0}}};
    for (const auto& [values, shape, tangents] : cases) {
        UnitSpline s;
        s.SetShape(shape);
        for (double v : values) {
            s.AddPoint(v, 0.0, Auto);
        }
        for (size_t i = 0; i < values.size(); ++i) {
            EXPECT_NEAR(Tangent(s, static_cast<int>(i)), tangents[i], 1e-14) << i;
        }
    }
}

TEST(UnitSpline, SegmentsFollowTheShapeAndThePoints) {
    UnitSpline s;
    s.AddPoint(5.0, 3.0, Auto);
    EXPECT_EQ(Tangent(s, 0), 0.0); // one automatic point: its given tangent is dropped
    s.AddPoint(7.0, 0.0, Auto);
    EXPECT_NEAR(At(s, 0, 2.0), 9.0, 1e-14); // t is not clamped: the cubic extrapolates
    s.SetShape(UnitSpline::ShapeLoop);
    EXPECT_DOUBLE_EQ(At(s, 1, 0.0), 7.0); // two points closed: 0→1 and 1→0
    EXPECT_DOUBLE_EQ(At(s, 1, 1.0), 5.0);
    s.SetShape(UnitSpline::ShapeOpen);
    s.DeletePoint(1); // down to one point: the former segment stays, nothing recomputes
    EXPECT_DOUBLE_EQ(At(s, 0, 1.0), 7.0);
}

TEST(UnitSpline, FixedTangentsStayAndAutomaticOnesAreRecomputed) {
    UnitSpline s;
    s.AddPoint(0.0, 99.0, Auto); // ignored: automatic
    s.AddPoint(1.0, -0.1, Fixed);
    s.AddPoint(0.0, 0.0, Auto);
    EXPECT_EQ(Tangent(s, 1), -0.1); // exactly as given, not as solved
    EXPECT_NEAR(Slope(s, 0, 1.0), -0.1, 1e-15);
    EXPECT_NE(Tangent(s, 0), 99.0);
    s.InsertPoint(3.0, 0.0, Auto, 1);
    double value = 0.0;
    double tangent = 0.0;
    EXPECT_EQ(s.GetPoint(2, value, tangent), Fixed);
    EXPECT_EQ(tangent, -0.1);
    // Left alone by deletions, an automatic point holds no tangent, as one added alone.
    s.DeletePoint(3);
    s.DeletePoint(2);
    ASSERT_NE(Tangent(s, 1), 0.0);
    s.DeletePoint(0);
    EXPECT_EQ(Tangent(s, 0), 0.0);
}

// Every segment is the Hermite piece between its points, and at every automatic inner
// point the curve is twice continuously differentiable: the tangent system solved
// right, even over the full 256 points with values large enough to need rescaling.
TEST(UnitSpline, LargeSplinesInterpolateSmoothly) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1e7, 1e7);
    for (const int shape : {UnitSpline::ShapeOpen, UnitSpline::ShapeLoop}) {
        UnitSpline s;
        s.SetShape(shape);
        std::vector<double> p;
        for (int i = 0; i < UnitSpline::MaxPoints; ++i) {
            p.push_back(value(random));
            s.AddPoint(p.back(), 0.0, Auto);
        }
        const int n = UnitSpline::MaxPoints;
        const int segments = shape == UnitSpline::ShapeLoop ? n : n - 1;
        for (int i = 0; i < segments; ++i) {
            const int j = (i + 1) % n;
            ASSERT_NEAR(At(s, i, 0.0), p[i], 1e-6);
            ASSERT_NEAR(At(s, i, 1.0), p[j], 1e-6);
            ASSERT_NEAR(Slope(s, i, 0.0), Tangent(s, i), 1e-6);
            ASSERT_NEAR(Slope(s, i, 1.0), Tangent(s, j), 1e-6);
        }
        // The closed system joins the last point to the first without its corner term,
        // so only points 1..n-2 (and 0 when closed) are C2 joins.
        for (int i = 1; i + 1 < n; ++i) {
            ASSERT_NEAR(Curvature(s, i - 1, 1.0), Curvature(s, i, 0.0), 1e-2) << i;
        }
        if (shape == UnitSpline::ShapeLoop) {
            EXPECT_NEAR(Curvature(s, n - 1, 1.0), Curvature(s, 0, 0.0), 1e-2);
        }
    }
}

} // namespace
