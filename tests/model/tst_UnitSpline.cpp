#include "model/UnitSpline.h"
#include "support/ErrorLogCheck.h"
#include "support/TempDir.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

constexpr int Auto = UnitSpline::PointAuto;
constexpr int Fixed = UnitSpline::PointFixed;

UnitSpline Spline(std::initializer_list<double> values, int shape = UnitSpline::ShapeOpen) {
    UnitSpline s;
    s.SetShape(shape);
    for (double v : values) {
        s.AddPoint(v, 0.0, Auto);
    }
    return s;
}

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
    struct Case {
        std::vector<double> values;
        int shape;
        std::vector<double> tangents;
    };
    // The closing row carries no term back to the first point, so a loop's tangents are
    // not symmetric.
    const Case cases[] = {
        {{0.0, 1.0}, UnitSpline::ShapeOpen, {1.0, 1.0}},
        {{0.0, 1.0, 0.0}, UnitSpline::ShapeOpen, {1.5, 0.0, -1.5}},
        {{0.0, 1.0, 0.0}, UnitSpline::ShapeLoop, {18.0 / 19.0, -1.0 / 19.0, -14.0 / 19.0}},
    };
    for (const Case& c : cases) {
        UnitSpline s;
        s.SetShape(c.shape);
        for (double v : c.values) {
            s.AddPoint(v, 0.0, Auto);
        }
        for (size_t i = 0; i < c.values.size(); ++i) {
            EXPECT_NEAR(Tangent(s, static_cast<int>(i)), c.tangents[i], 1e-14) << i;
        }
    }
}

TEST(UnitSpline, SegmentsFollowTheShapeAndThePoints) {
    UnitSpline s;
    s.AddPoint(5.0, 0.0, Auto);
    EXPECT_EQ(Tangent(s, 0), 0.0); // one point: nothing is computed
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

// Random points, a quarter of them with fixed tangents; automatic ones carry junk tangents
// that the spline must drop. Values span many powers of ten so that the solver rescales.
std::vector<SplinePoint> RandomPoints(std::mt19937& random, int n) {
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-3, 60);
    std::uniform_int_distribution<int> quarter(0, 3);
    std::vector<SplinePoint> points;
    for (int i = 0; i < n; ++i) {
        const double scale = std::pow(10.0, exponent(random));
        points.push_back({mantissa(random) * scale, mantissa(random) * scale,
                          quarter(random) == 0 ? Fixed : Auto});
    }
    return points;
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Points, tangents and every segment's cubic, bit for bit.
void ExpectSameSpline(const UnitSpline& a, const UnitSpline& b, int shape) {
    ASSERT_EQ(a.GetPointNum(), b.GetPointNum());
    const int n = a.GetPointNum();
    for (int i = 0; i < n; ++i) {
        double va = 0.0;
        double ta = 0.0;
        double vb = 0.0;
        double tb = 0.0;
        EXPECT_EQ(a.GetPoint(i, va, ta), b.GetPoint(i, vb, tb)) << i;
        EXPECT_TRUE(SameBits(va, vb) && SameBits(ta, tb)) << i << ": " << ta << " " << tb;
    }
    const int segments = n < 2 ? 0 : (shape == UnitSpline::ShapeLoop ? n : n - 1);
    for (int i = 0; i < segments; ++i) {
        for (const double t : {0.0, 0.375, 1.0}) {
            EXPECT_TRUE(SameBits(At(a, i, t), At(b, i, t))) << i << " at " << t;
            EXPECT_TRUE(SameBits(Slope(a, i, t), Slope(b, i, t))) << i << " at " << t;
        }
    }
}

// Loading a course sets each spline's points at once; the result must be exactly what
// adding them one by one gives, for any count, shape and mix of tangents, and whatever the
// spline held before.
TEST(UnitSpline, SettingAllPointsAtOnceMatchesAddingThemOneByOne) {
    std::mt19937 random(11);
    for (const int shape : {UnitSpline::ShapeOpen, UnitSpline::ShapeLoop}) {
        for (const int n : {0, 1, 2, 3, 4, 17, 255, UnitSpline::MaxPoints}) {
            const std::vector<SplinePoint> points = RandomPoints(random, n);
            UnitSpline oneByOne;
            oneByOne.SetShape(shape);
            for (const SplinePoint& p : points) {
                oneByOne.AddPoint(p.value, p.tangent, p.property);
            }
            UnitSpline atOnce;
            atOnce.SetShape(shape);
            const std::vector<SplinePoint> before = RandomPoints(random, 9);
            atOnce.SetPoints(before);
            atOnce.SetPoints(points);
            SCOPED_TRACE(testing::Message() << "shape " << shape << ", " << n << " points");
            ExpectSameSpline(atOnce, oneByOne, shape);
        }
    }
}

class UnitSplineReport : public ::testing::Test {
protected:
    TempDir dir;
    CurrentDir inDir{dir.Path()};
};

TEST_F(UnitSplineReport, MisuseEndsTheProgram) {
    UnitSpline s = Spline({0.0, 1.0});
    const char* property = "ありえない点の性質を設定しようとした";
    EXPECT_REPORT(s.AddPoint(1.0, 0.0, 1), "UnitSpline1", property);
    EXPECT_REPORT(s.InsertPoint(1.0, 0.0, 4, 0), "UnitSpline1", property);
    EXPECT_REPORT(s.SetPoint(1.0, 0.0, 0, 0), "UnitSpline1", property);
    const SplinePoint unknown[] = {{1.0, 0.0, Auto}, {2.0, 0.0, 5}};
    EXPECT_REPORT(s.SetPoints(unknown), "UnitSpline1", property);
    EXPECT_REPORT(s.SetShape(3), "UnitSpline1", "ありえないスプライン形状IDを設定しようとした");
    SplineSegment segment{};
    EXPECT_REPORT(segment.SetCoefficient(5, 1.0), "UnitSpline1",
                  "係数設定フラグにありえない値を検出");
    double out = 0.0;
    EXPECT_REPORT(s.Evaluate(1, 0.5, out), "StraightDataBase1",
                  "範囲外のデータにアクセスしようとした");
    // Points set at once replace the segments too: one point has none.
    const SplinePoint single[] = {{3.0, 0.0, Auto}};
    s.SetPoints(single);
    EXPECT_REPORT(s.Evaluate(0, 0.5, out), "StraightDataBase1",
                  "範囲外のデータにアクセスしようとした");
}

TEST_F(UnitSplineReport, MoreThan256PointsEndTheProgram) {
    UnitSpline s;
    for (int i = 0; i < UnitSpline::MaxPoints; ++i) {
        s.AddPoint(i, 0.0, Auto);
    }
    EXPECT_REPORT(s.AddPoint(0.0, 0.0, Auto), "UnitSpline1", "点の数が多すぎます");
    const std::vector<SplinePoint> tooMany(UnitSpline::MaxPoints + 1, {0.0, 0.0, Auto});
    EXPECT_REPORT(UnitSpline().SetPoints(tooMany), "UnitSpline1", "点の数が多すぎます");
    std::vector<double> column(UnitSpline::MaxPoints + 1, 1.0);
    EXPECT_REPORT(UnitSpline::Solve(UnitSpline::MaxPoints + 1, column.data(), column.data(),
                                    column.data(), column.data(), 0.0, column.data()),
                  "UnitSpline1", "スプラインの点の数が多すぎます");
}

} // namespace
