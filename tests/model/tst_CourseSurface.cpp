#include "model/CourseSurface.h"
#include "support/CourseTest.h"

#include <limits>
#include <random>

namespace {

struct EdgeCase {
    Vec3d tangent;
    double roll;
    Vec3d edge1;
    Vec3d edge2;
};

void ExpectNear(const Vec3d& a, const Vec3d& b) {
    EXPECT_NEAR(a.x, b.x, 1e-12);
    EXPECT_NEAR(a.y, b.y, 1e-12);
    EXPECT_NEAR(a.z, b.z, 1e-12);
}

TEST(CalcCourseEdge, LevelRoadLiesAcrossTheTangent) {
    const double quarter = 1.5707963267948966;
    const EdgeCase cases[] = {
        {{0, 0, 1}, 0.0, {20, 0, 0}, {-20, 0, 0}},
        {{0, 0, 1}, quarter, {0, 20, 0}, {0, -20, 0}},
        {{1, 0, 0}, 0.0, {0, 0, -20}, {0, 0, 20}},
        {{0, 0, 0}, 0.7, {0, 0, 0}, {0, 0, 0}},    // no direction: both edges at the centre
        {{0, 5, 0}, 0.0, {20, 0, 0}, {-20, 0, 0}}, // straight up: the side is x
    };
    for (const EdgeCase& c : cases) {
        Vec3d e1{};
        Vec3d e2{};
        CalcCourseEdge({0, 0, 0}, c.tangent, 20.0, 20.0, c.roll, e1, e2);
        ExpectNear(e1, c.edge1);
        ExpectNear(e2, c.edge2);
    }
}

using CourseRowsTest = CourseTest;

bool Inside(const Vec3d& p, const Box& box) {
    return p.x >= box.low.x && p.x <= box.high.x && p.y >= box.low.y && p.y <= box.high.y &&
           p.z >= box.low.z && p.z <= box.high.z;
}

// Every place of a segment's centre line, and with the road both edges of its start point's
// cross-section and of any other, lie in its box, for courses of any shape: wavy, banked
// past upright, with long fixed handles and scaled widths.
TEST_F(CourseRowsTest, SegmentBoxesHoldTheirRows) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int course = 0; course < 4; ++course) {
        CourseData::NewCourse();
        AddRing(12, 6);
        for (int i = 0; i < 12; i += 3) {
            CourseData::SetTangent(i, 900 * unit(random), 300 * unit(random), 900 * unit(random), 1,
                                   1, 1);
            CourseData::SetRoll(i, 3.0 * unit(random));
            CourseData::SetWidthTangent(i, 40 * unit(random), 40 * unit(random), 1, 1);
        }
        CourseData::ChangeWidthScale(course * 0.5);
        CourseData::SetLoop(course % 2);
        for (int segment = 0; segment < CourseData::GetSegmentNum(); ++segment) {
            const CourseData::SegmentCurves curves = CourseData::GetSegmentCurves(segment);
            Box road{};
            Box centre{};
            ASSERT_TRUE(BoundSegment(curves, true, road));
            ASSERT_TRUE(BoundSegment(curves, false, centre));
            Vec3d e1{};
            Vec3d e2{};
            CalcSectionEdge(GetPointSection(segment), e1, e2);
            EXPECT_TRUE(Inside(e1, road) && Inside(e2, road)) << segment;
            for (int k = 0; k <= 64; ++k) {
                const CourseSection section = SectionAt(curves, k / 64.0);
                CalcSectionEdge(section, e1, e2);
                ASSERT_TRUE(Inside(section.position, centre)) << segment << " at " << k;
                ASSERT_TRUE(Inside(e1, road) && Inside(e2, road)) << segment << " at " << k;
            }
        }
    }
}

TEST(BoundSegment, CurvesThatAreNotFiniteHaveNoBox) {
    const SplineSegment flat{1.0, 0.0, 0.0, 0.0};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const CourseData::SegmentCurves good{flat, flat, flat, flat, flat, flat, 1.0};
    Box box{};
    CourseData::SegmentCurves c = good;
    c.width2.b = nan; // a max over both widths would lose it
    EXPECT_FALSE(BoundSegment(c, true, box));
    EXPECT_TRUE(BoundSegment(c, false, box)); // the centre line needs no width
    c = good;
    c.z.d = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(BoundSegment(c, false, box));
    c = good;
    c.x = {1e308, 1e308, 1e308, -1e308}; // finite, but its sums overflow
    EXPECT_FALSE(BoundSegment(c, false, box));
}

} // namespace
