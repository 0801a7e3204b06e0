#include "model/CourseSurface.h"
#include "render/PerspecCamera.h"
#include "render/PerspecTextureEngine.h"
#include "support/ViewFixture.h"
#include "support/ViewPalette.h"
#include "views/PerspecDisp.h"

#include <cmath>
#include <initializer_list>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// The perspective window's camera and lens, and the texture engine.
class PerspecDispTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        PerspecTextureEngine::Initialize();
        camera.Reset();
        camera.SetLens(2.0F, 2.0F, 4.0F, 4.0F, 500.0F);
        camera.SetScreen(160, 120);
    }
    void TearDown() override {
        PerspecTextureEngine::Release();
        ViewTest::TearDown();
    }

    // The topmost row of the colour in a column, or -1.
    int TopRow(platform::Colour15 colour, int x) {
        const platform::Surface& pixels = *camera.GetSurface()->GetSurface();
        for (int y = 0; y < pixels.Height(); ++y) {
            if (pixels.Pixel(x, y) == colour) {
                return y;
            }
        }
        return -1;
    }

    // The angle of the line through the colour's topmost pixels in two columns, positive when it
    // falls to the right (rows grow downward).
    double Tilt(platform::Colour15 colour, int left, int right) {
        const int a = TopRow(colour, left);
        const int b = TopRow(colour, right);
        EXPECT_TRUE(a >= 0 && b >= 0) << "no such colour in column " << left << " or " << right;
        return std::atan2(b - a, right - left);
    }

    PerspecCamera camera{};
};

Vec3d PointAt(int segment, double t) {
    Vec3d p{};
    CourseData::GetCoursePosition(segment, t, p.x, p.y, p.z);
    return p;
}

Vec3d TangentAt(int segment, double t) {
    Vec3d d{};
    CourseData::GetCourseTangent(segment, t, d.x, d.y, d.z);
    return d;
}

void ExpectNear(const Vec3d& a, const Vec3d& b, double tolerance = 1e-9) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

// The road's edges at a place, as the course's own cross-section gives them.
void ExpectSectionAt(const PerspecDisp::Section& got, int segment, double t) {
    double w1 = 0, w2 = 0, roll = 0;
    CourseData::GetCourseWidth(segment, t, w1, w2);
    CourseData::GetCourseRoll(segment, t, roll);
    Vec3d edge1{}, edge2{};
    CalcCourseEdge(PointAt(segment, t), TangentAt(segment, t), w1, w2, roll, edge1, edge2);
    ExpectNear(got.edge1, edge1);
    ExpectNear(got.edge2, edge2);
}

// Where the road is cut from a camera place: how many sections, and at which places on the course
// some of them lie (section index, segment, t).
struct Cut {
    int32_t segment;
    double t;
    int count;
    std::vector<std::tuple<int, int, double>> places;
};

void ExpectCuts(std::initializer_list<Cut> cuts) {
    for (const Cut& cut : cuts) {
        SCOPED_TRACE(testing::Message() << "from segment " << cut.segment << " t " << cut.t);
        PerspecDisp::Section sections[PerspecDisp::MaxSections];
        ASSERT_EQ(PerspecDisp::CutSections(cut.segment, cut.t, sections), cut.count);
        for (const auto& [index, segment, t] : cut.places) {
            SCOPED_TRACE(testing::Message() << "section " << index);
            ExpectSectionAt(sections[index], segment, t);
        }
    }
}

} // namespace

// The rolled side of the frame carries the road's edges exactly where the course's own
// cross-section puts them, for vertical tangents too; a tangent of no length has no frame.
TEST(PerspecDisp, SectionEdgesAreTheCoursesCrossSection) {
    const Vec3d tangents[] = {{3, 1, 4}, {-1, -2, 0.5}, {0, 5, 0}, {0, -1, 0}, {7, 0, 0}};
    for (const Vec3d& t : tangents) {
        for (const double roll : {0.0, 0.4, -1.2}) {
            Vec3d e1{}, e2{}, c1{}, c2{};
            ASSERT_TRUE(PerspecDisp::MakeSectionEdges({1, 2, 3}, t, 5, 7, roll, e1, e2));
            CalcCourseEdge({1, 2, 3}, t, 5, 7, roll, c1, c2);
            ExpectNear(e1, c1, 1e-12);
            ExpectNear(e2, c2, 1e-12);
        }
    }
    Mat3d f{};
    Vec3d e1{}, e2{};
    EXPECT_FALSE(PerspecDisp::MakeSectionFrame({0, 0, 0}, 0.3, f));
    EXPECT_FALSE(PerspecDisp::MakeSectionEdges({1, 2, 3}, {0, 0, 0}, 5, 7, 0.3, e1, e2));
}

// From the sample at or just before the camera, every sample (a segment's start not repeated) to
// the open end or round the loop, at most 20; places without a tangent are left out, and a walk
// that finds none still ends.
TEST_F(PerspecDispTest, SectionsRunFromTheCameraToTheEndOrRoundTheLoop) {
    AddSampledPoint(0, 0, 0, 10);
    AddSampledPoint(0, 10, 300, 10);
    AddSampledPoint(200, 0, 500, 10);
    ExpectCuts({{0, 0.5, 7 + 11, {{0, 0, 5.0 / 11.0}, {6, 0, 1.0}, {7, 1, 1.0 / 11.0}}},
                {0, 0.0, PerspecDisp::MaxSections, {{0, 0, 0.0}}},
                {1, 0.09, 12, {{0, 1, 0.0}}}});

    CourseData::NewCourse();
    AddSampledPoint(0, 0, 0, 2);
    AddSampledPoint(0, 0, 300, 2);
    AddSampledPoint(300, 0, 300, 2);
    ExpectCuts({{0, 0.0, 7, {{4, 1, 1.0 / 3.0}, {6, 1, 1.0}}},
                {0, 1.0 / 3.0, 7, {{0, 0, 0.0}}}, // a camera on a sample starts before it
                {1, 0.5, 3, {{0, 1, 1.0 / 3.0}}}});
    CourseData::SetLoop(1); // from the closing segment round twice more
    ExpectCuts(
        {{2, 0.0, PerspecDisp::MaxSections, {{3, 0, 0.0}, {4, 0, 1.0 / 3.0}, {19, 2, 1.0 / 3.0}}}});

    // Out and back along one line: the tangent vanishes where the course turns round.
    CourseData::NewCourse();
    AddSampledPoint(0, 0, 0, 2);
    AddSampledPoint(0, 0, 300, 2);
    AddSampledPoint(0, 0, 0, 2);
    ASSERT_EQ(TangentAt(0, 1.0).z, 0.0);
    ExpectCuts({{0, 0.0, 6, {{2, 0, 2.0 / 3.0}, {3, 1, 1.0 / 3.0}}}});

    CourseData::NewCourse();
    for (int i = 0; i < 3; ++i) {
        AddSampledPoint(5, 5, 5, 3);
    }
    CourseData::SetLoop(1);
    ExpectCuts({{1, 0.5, 0, {}}});
}

// A straight road of constant roll, measured from the pixels on a square surface and on a wide one:
// its far end, a cross-section, shows level whatever the roll, and the horizon falls to the right
// by the roll as the lens stretches it to the surface.
TEST_F(PerspecDispTest, ABankedRoadShowsLevelUnderAHorizonTiltedByItsRoll) {
    AddSampledPoint(0, 0, 0, 4);
    AddSampledPoint(0, 0, 100, 4);
    for (const auto& [width, height] : {std::pair{200, 200}, std::pair{240, 120}}) {
        camera.SetScreen(width, height);
        // The far end lies 104 ahead of the lens, 60 to either side of the middle.
        const int halfRoad = width / 2 * 60 / 104;
        const int left = width / 2 - halfRoad * 3 / 5;
        const int right = width / 2 + halfRoad * 3 / 5;
        for (const double roll : {0.0, 0.1, 0.3, -0.3}) {
            for (int i = 0; i < 2; ++i) {
                CourseData::SetRoll(i, roll);
                CourseData::SetWidth(i, 60, 60);
            }
            PerspecDisp::Render(camera, PerspecDisp::Textured, 0, 0.0);
            EXPECT_NEAR(Tilt(ViewPalette::PlainRoad, left, right), 0.0, 0.02)
                << width << "x" << height << " roll " << roll;
            // The wireframe leaves the horizon uncovered from edge to edge.
            PerspecDisp::Render(camera, PerspecDisp::Wireframe, 0, 0.0);
            const double expected = std::atan(height * std::tan(roll) / width);
            EXPECT_NEAR(Tilt(ViewPalette::Grid, 2, width - 3), expected, 0.01)
                << width << "x" << height << " roll " << roll;
        }
    }
}
