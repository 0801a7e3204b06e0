#include "model/CourseAnalysis.h"
#include "support/CourseTest.h"

#include <numbers>

namespace {

using namespace CourseAnalysis;
using CourseAnalysisTest = CourseTest;

constexpr double Degree = std::numbers::pi / 180.0;

std::vector<Warning> WarningsOf(WarningKind kind, const Limits& limits = {}) {
    std::vector<Warning> found;
    for (const Warning& w : Analyse(limits).warnings) {
        if (w.kind == kind) {
            found.push_back(w);
        }
    }
    return found;
}

void AddLoop(int n, double (*x)(double), double (*y)(double), double (*z)(double)) {
    for (int i = 0; i < n; ++i) {
        const double a = 2.0 * std::numbers::pi * i / n;
        CourseData::AddPoint(x(a), y(a), z(a));
    }
    CourseData::SetLoop(1);
}

TEST_F(CourseAnalysisTest, EmptyAndOnePointCoursesHaveNoLengthOrWarnings) {
    Analysis a = Analyse();
    EXPECT_EQ(a.measurements.length, 0.0);
    EXPECT_FALSE(a.measurements.height);
    EXPECT_FALSE(a.measurements.widthA);
    EXPECT_TRUE(a.warnings.empty());
    CourseData::AddPoint(5, 7, 9);
    CourseData::ChangeWidthScale(1.0);
    a = Analyse();
    EXPECT_EQ(a.measurements.length, 0.0);
    EXPECT_TRUE(a.measurements.segmentLengths.empty());
    ASSERT_TRUE(a.measurements.height);
    EXPECT_EQ(a.measurements.height->min, 7.0);
    EXPECT_EQ(a.measurements.widthB->max, 40.0); // scaled
    EXPECT_FALSE(a.measurements.minRadius);
    EXPECT_TRUE(a.warnings.empty());
}

// 32 points on a circle of radius 500. Away from the point where the loop closes, whose
// automatic tangents come out uneven, the spline bends within 0.4 % of the circle.
TEST_F(CourseAnalysisTest, CircleMeasuresItsRadiusAndItsEdges) {
    AddLoop(
        32, [](double a) { return 500.0 * std::cos(a); }, [](double) { return 0.0; },
        [](double a) { return 500.0 * std::sin(a); });
    for (int segment = 6; segment <= 22; ++segment) {
        for (const double t : {0.0, 0.3, 0.5}) {
            EXPECT_NEAR(1.0 / Curvature(CourseData::GetSegmentCurves(segment), t), 500.0, 2.0)
                << segment << " " << t;
        }
    }
    const Analysis a = Analyse();
    const Measurements& m = a.measurements;
    ASSERT_TRUE(m.minRadius);
    EXPECT_LT(*m.minRadius, 500.0);
    EXPECT_NEAR(m.length, 2.0 * std::numbers::pi * 500.0, 5.0);
    ASSERT_EQ(m.segmentLengths.size(), 32U);
    EXPECT_NEAR(m.segmentLengths[12], 2.0 * std::numbers::pi * 500.0 / 32.0, 0.1);
    // Counter-clockwise seen from above, the second edge runs inside; an edge a width w
    // out from a closed line that turns once is 2πw longer.
    EXPECT_NEAR(m.lengthA - m.length, 2.0 * std::numbers::pi * 20.0, 0.1);
    EXPECT_NEAR(m.length - m.lengthB, 2.0 * std::numbers::pi * 20.0, 0.1);
    EXPECT_EQ(m.maxGradient, 0.0);
    EXPECT_TRUE(a.warnings.empty());
}

TEST_F(CourseAnalysisTest, GradientIsRiseOverGroundRun) {
    AddPoints({{0, 0, 0}, {100, 10, 0}});
    Analysis a = Analyse();
    EXPECT_NEAR(a.measurements.maxGradient, 10.0, 1e-9);
    EXPECT_EQ(a.measurements.height->max, 10.0);
    EXPECT_FALSE(a.measurements.minRadius); // a straight line
    EXPECT_TRUE(a.warnings.empty());
    CourseData::SetPosition(1, 0, 30, 100);
    const std::vector<Warning> steep = WarningsOf(WarningKind::Steep);
    ASSERT_EQ(steep.size(), 1U);
    EXPECT_EQ(steep[0].place.segment, 0);
    EXPECT_NEAR(steep[0].value, 30.0, 1e-9);
    EXPECT_EQ(steep[0].limit, DefaultMaxGradient);
    EXPECT_TRUE(WarningsOf(WarningKind::Steep, {.maxGradient = 30.5}).empty());
}

TEST_F(CourseAnalysisTest, BankWarnsAboveTheLimitAtItsWorstPlace) {
    AddPoints({{0, 0, 0}, {100, 0, 0}});
    CourseData::SetRoll(0, 25 * Degree);
    CourseData::SetRoll(1, 25 * Degree);
    EXPECT_NEAR(Analyse().measurements.maxBank, 25.0, 1e-9);
    EXPECT_TRUE(WarningsOf(WarningKind::Bank).empty());
    CourseData::SetRoll(1, -35 * Degree);
    const std::vector<Warning> bank = WarningsOf(WarningKind::Bank);
    ASSERT_EQ(bank.size(), 1U);
    EXPECT_EQ(bank[0].place.t, 1.0);
    EXPECT_NEAR(bank[0].value, 35.0, 1e-9);
    EXPECT_TRUE(WarningsOf(WarningKind::Bank, {.maxBank = 35.5}).empty());
}

// Out along x, round a bend towards +z and back: the second edge is the inner one.
TEST_F(CourseAnalysisTest, HairpinFoldsItsInnerEdgeWhenWiderThanItsRadius) {
    AddPoints({{-300, 0, 0}, {0, 0, 0}, {100, 0, 100}, {0, 0, 200}, {-300, 0, 200}});
    const double radius = *Analyse().measurements.minRadius;
    EXPECT_EQ(Analyse().measurements.minRadiusAt.segment, 1);
    EXPECT_TRUE(WarningsOf(WarningKind::EdgeFold).empty());
    for (int i = 0; i < 5; ++i) {
        CourseData::SetWidth(i, 1.5 * radius, 0.9 * radius);
    }
    EXPECT_TRUE(WarningsOf(WarningKind::EdgeFold).empty());
    for (int i = 0; i < 5; ++i) {
        CourseData::SetWidth(i, 20.0, 1.5 * radius);
    }
    const std::vector<Warning> folds = WarningsOf(WarningKind::EdgeFold);
    ASSERT_FALSE(folds.empty());
    for (const Warning& w : folds) {
        EXPECT_EQ(w.side, Side::B);
        EXPECT_GE(w.value, w.limit);
    }
}

TEST_F(CourseAnalysisTest, FigureEightOverlapsFlatButNotAsABridge) {
    const auto x = [](double a) { return 400.0 * std::sin(a); };
    const auto z = [](double a) { return 200.0 * std::sin(2.0 * a); };
    AddLoop(
        12, x, [](double) { return 0.0; }, z);
    const std::vector<Warning> overlaps = WarningsOf(WarningKind::Overlap);
    ASSERT_FALSE(overlaps.empty());
    EXPECT_EQ(overlaps[0].value, 0.0);
    EXPECT_EQ(overlaps[0].limit, 40.0);
    EXPECT_TRUE(overlaps[0].other == 5 || overlaps[0].other == 6) << overlaps[0].other;
    CourseData::NewCourse();
    AddLoop(
        12, x, [](double a) { return 60.0 * std::cos(a); }, z);
    EXPECT_TRUE(WarningsOf(WarningKind::Overlap).empty());
}

TEST_F(CourseAnalysisTest, ConsecutivePointsNearerThanAUnitWarn) {
    AddPoints({{0, 0, 0}, {300, 0, 0}, {300.5, 0, 0}});
    CourseData::SetLoop(1);
    const std::vector<Warning> close = WarningsOf(WarningKind::ClosePoints);
    ASSERT_EQ(close.size(), 1U);
    EXPECT_EQ(close[0].place.segment, 1);
    EXPECT_EQ(close[0].other, 2);
    EXPECT_DOUBLE_EQ(close[0].value, 0.5);
}

} // namespace
