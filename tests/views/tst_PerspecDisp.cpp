#include "model/CourseSurface.h"
#include "platform/DrawContext.h"
#include "render/PerspecCamera.h"
#include "render/PerspecTextureEngine.h"
#include "render/PictureBank.h"
#include "support/CourseTest.h"
#include "support/ErrorLogCheck.h"
#include "views/DispControl.h"
#include "views/PerspecDisp.h"

#include <gtest/gtest.h>

namespace {

constexpr platform::Colour15 White = platform::Rgb15(255, 255, 255);
constexpr platform::Colour15 RoadGrey = platform::Rgb15(72, 72, 72);
constexpr platform::Colour15 Horizon = platform::Rgb15(96, 96, 96);

// The perspective window's camera on a 160 x 120 surface, and the drawing objects.
class PerspecDispTest : public CourseTest {
protected:
    void SetUp() override {
        CourseTest::SetUp();
        DispControl::CreateDrawObjects();
        PerspecTextureEngine::Initialize();
        camera.Reset();
        camera.SetLens(2.0F, 2.0F, 4.0F, 4.0F, 500.0F);
        camera.SetScreen(160, 120);
    }
    void TearDown() override {
        PerspecTextureEngine::Release();
        DispControl::DeleteDrawObjects();
        CourseTest::TearDown();
    }

    platform::Surface& Pixels() { return *camera.GetSurface()->GetSurface(); }

    int Count(platform::Colour15 colour) {
        int n = 0;
        for (int y = 0; y < Pixels().Height(); ++y) {
            for (int x = 0; x < Pixels().Width(); ++x) {
                n += Pixels().Pixel(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

    // The topmost row of the colour in a column, or -1.
    int TopRow(platform::Colour15 colour, int x) {
        for (int y = 0; y < Pixels().Height(); ++y) {
            if (Pixels().Pixel(x, y) == colour) {
                return y;
            }
        }
        return -1;
    }

    // The angle of the line through the colour's topmost pixels in two columns, positive
    // when it falls to the right (rows grow downward).
    double Tilt(platform::Colour15 colour, int left, int right) {
        const int a = TopRow(colour, left);
        const int b = TopRow(colour, right);
        EXPECT_TRUE(a >= 0 && b >= 0) << "no such colour in column " << left << " or " << right;
        return std::atan2(b - a, right - left);
    }

    PerspecCamera camera{};
};

// Appends a point whose segment is cut into samples + 1 intervals.
void AddPoint(double x, double y, double z, int32_t samples) {
    CourseData::AddPoint(x, y, z);
    CourseData::ChangeSampleNum(samples - CourseData::GetSampleNum(SelectedPoint()));
}

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

PerspecDisp::Section SectionAt(int segment, double t) {
    double w1 = 0, w2 = 0, roll = 0;
    CourseData::GetCourseWidth(segment, t, w1, w2);
    CourseData::GetCourseRoll(segment, t, roll);
    PerspecDisp::Section s{};
    EXPECT_TRUE(PerspecDisp::MakeSectionEdges(PointAt(segment, t), TangentAt(segment, t), w1, w2,
                                              roll, s.edge1, s.edge2));
    return s;
}

void ExpectNear(const Vec3d& a, const Vec3d& b, double tolerance = 1e-9) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

void ExpectSection(const PerspecDisp::Section& got, int segment, double t) {
    const PerspecDisp::Section expected = SectionAt(segment, t);
    ExpectNear(got.edge1, expected.edge1);
    ExpectNear(got.edge2, expected.edge2);
}

double Dot(const Mat3d& m, int a, int b) {
    return m.m[0][a] * m.m[0][b] + m.m[1][a] * m.m[1][b] + m.m[2][a] * m.m[2][b];
}

} // namespace

TEST(PerspecDisp, SectionFrameIsTheRolledRoadFrameOfTheCrossSection) {
    const Vec3d tangents[] = {{3, 1, 4}, {-1, -2, 0.5}, {0, 5, 0}, {0, -1, 0}, {7, 0, 0}};
    for (const Vec3d& t : tangents) {
        for (const double roll : {0.0, 0.4, -1.2}) {
            Mat3d f{};
            ASSERT_TRUE(PerspecDisp::MakeSectionFrame(t, roll, f));
            for (int a = 0; a < 3; ++a) {
                for (int b = 0; b < 3; ++b) {
                    EXPECT_NEAR(Dot(f, a, b), a == b ? 1.0 : 0.0, 1e-12);
                }
            }
            const double l = std::sqrt(t.x * t.x + t.y * t.y + t.z * t.z);
            ExpectNear({f.m[0][2], f.m[1][2], f.m[2][2]}, {t.x / l, t.y / l, t.z / l}, 1e-12);
            // The same edges as the course's own cross-section.
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

TEST_F(PerspecDispTest, FirstSectionIsTheSampleAtOrJustBeforeTheCamera) {
    AddPoint(0, 0, 0, 10);
    AddPoint(0, 10, 300, 10);
    AddPoint(200, 0, 500, 10);
    PerspecDisp::Section sections[PerspecDisp::MaxSections];
    ASSERT_EQ(PerspecDisp::CutSections(0, 0.5, sections), 7 + 11); // to the open end
    ExpectSection(sections[0], 0, 5.0 / 11.0);
    ExpectSection(sections[6], 0, 1.0);
    ExpectSection(sections[7], 1, 1.0 / 11.0); // the segment's start is not repeated
    PerspecDisp::CutSections(0, 0.0, sections);
    ExpectSection(sections[0], 0, 0.0);
    PerspecDisp::CutSections(1, 0.09, sections);
    ExpectSection(sections[0], 1, 0.0);
}

TEST_F(PerspecDispTest, AnOpenCourseEndsAtItsLastPointAndALoopWrapsRound) {
    AddPoint(0, 0, 0, 2);
    AddPoint(0, 0, 300, 2);
    AddPoint(300, 0, 300, 2);
    PerspecDisp::Section sections[PerspecDisp::MaxSections];
    ASSERT_EQ(PerspecDisp::CutSections(0, 0.0, sections), 7);
    ExpectSection(sections[4], 1, 1.0 / 3.0);
    ExpectSection(sections[6], 1, 1.0);
    ASSERT_EQ(PerspecDisp::CutSections(1, 0.5, sections), 3);
    ExpectSection(sections[0], 1, 1.0 / 3.0);

    CourseData::SetLoop(1);
    ASSERT_EQ(PerspecDisp::CutSections(2, 0.0, sections), PerspecDisp::MaxSections);
    ExpectSection(sections[3], 0, 0.0); // the closing segment ends at point 0
    ExpectSection(sections[4], 0, 1.0 / 3.0);
    ExpectSection(sections[19], 2, 1.0 / 3.0); // round twice more
}

TEST_F(PerspecDispTest, PlacesWithoutATangentAreSkippedNotFatal) {
    // Out and back along one line: the tangent vanishes where the course turns round.
    AddPoint(0, 0, 0, 2);
    AddPoint(0, 0, 300, 2);
    AddPoint(0, 0, 0, 2);
    ASSERT_EQ(TangentAt(0, 1.0).z, 0.0);
    PerspecDisp::Section sections[PerspecDisp::MaxSections];
    ASSERT_EQ(PerspecDisp::CutSections(0, 0.0, sections), 6);
    ExpectSection(sections[2], 0, 2.0 / 3.0);
    ExpectSection(sections[3], 1, 1.0 / 3.0);
    PerspecDisp::Render(camera, PerspecDisp::Wireframe, 0, 0.0);
    EXPECT_GT(Count(White), 0);
    // An eye where the course turns has no direction: the view stays cleared.
    PerspecDisp::Render(camera, PerspecDisp::Textured, 0, 1.0);
    EXPECT_EQ(Count(RoadGrey), 0);

    // A loop whose points all coincide has no tangent anywhere; the walk still ends.
    CourseData::NewCourse();
    AddPoint(5, 5, 5, 3);
    AddPoint(5, 5, 5, 3);
    AddPoint(5, 5, 5, 3);
    CourseData::SetLoop(1);
    EXPECT_EQ(PerspecDisp::CutSections(1, 0.5, sections), 0);
    PerspecDisp::Render(camera, PerspecDisp::Wireframe);
    EXPECT_EQ(Count(White), 0);
    EXPECT_TRUE(ReadErrorLog().empty());
}

TEST_F(PerspecDispTest, CameraLooksAlongTheCourseFromTenUnitsAboveTheRoad) {
    AddPoint(0, 0, 0, 10);
    AddPoint(100, 30, 300, 10);
    AddPoint(400, 0, 500, 10);
    CourseData::SetRoll(1, 0.5);
    ASSERT_TRUE(PerspecDisp::UpdateCamera(camera, 1, 0.3));
    ASSERT_EQ(camera.GetState(), PerspecCamera::Ready);
    Mat3d frame{};
    double roll = 0;
    CourseData::GetCourseRoll(1, 0.3, roll);
    ASSERT_TRUE(PerspecDisp::MakeSectionFrame(TangentAt(1, 0.3), roll, frame));
    const Vec3d p = PointAt(1, 0.3);
    const Vec3d eye{p.x + 10 * frame.m[0][1], p.y + 10 * frame.m[1][1], p.z + 10 * frame.m[2][1]};
    const Vec3 atEye = camera.WorldToCamera(
        {static_cast<float>(eye.x), static_cast<float>(eye.y), static_cast<float>(eye.z)});
    EXPECT_NEAR(atEye.x, 0.0, 1e-3);
    EXPECT_NEAR(atEye.y, 0.0, 1e-3);
    EXPECT_NEAR(atEye.z, 4.0, 1e-3);
    // Ahead along the tangent lies straight down the view axis.
    const Vec3d t = TangentAt(1, 0.3);
    const double l = std::sqrt(t.x * t.x + t.y * t.y + t.z * t.z);
    const Vec3 ahead = camera.WorldToCamera({static_cast<float>(eye.x + 100 * t.x / l),
                                             static_cast<float>(eye.y + 100 * t.y / l),
                                             static_cast<float>(eye.z + 100 * t.z / l)});
    EXPECT_NEAR(ahead.x, 0.0, 1e-2);
    EXPECT_NEAR(ahead.y, 0.0, 1e-2);
    EXPECT_NEAR(ahead.z, 104.0, 1e-2);
}

// A straight road of constant roll, measured from the pixels on a square surface and on
// a wide one: its far end, a cross-section, shows level whatever the roll, and the horizon
// falls to the right by the roll as the lens stretches it to the surface.
TEST_F(PerspecDispTest, ABankedRoadShowsLevelUnderAHorizonTiltedByItsRoll) {
    AddPoint(0, 0, 0, 4);
    AddPoint(0, 0, 100, 4);
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
            EXPECT_NEAR(Tilt(RoadGrey, left, right), 0.0, 0.02)
                << width << "x" << height << " roll " << roll;
            // The wireframe leaves the horizon uncovered from edge to edge.
            PerspecDisp::Render(camera, PerspecDisp::Wireframe, 0, 0.0);
            const double expected = std::atan(height * std::tan(roll) / width);
            EXPECT_NEAR(Tilt(Horizon, 2, width - 3), expected, 0.01)
                << width << "x" << height << " roll " << roll;
        }
    }
}

// Drawn in both modes before the road: a road climbing above the eye covers it.
TEST_F(PerspecDispTest, TheHorizonLiesUnderTheRoad) {
    AddPoint(0, 0, 0, 4);
    AddPoint(0, 0, 100, 4);
    AddPoint(0, 60, 200, 4);
    PerspecDisp::Render(camera, PerspecDisp::Wireframe, 0, 0.0);
    const int row = TopRow(Horizon, 0);
    ASSERT_GE(row, 0);
    EXPECT_EQ(TopRow(Horizon, 159), row); // level
    PerspecDisp::Render(camera, PerspecDisp::Textured, 0, 0.0);
    EXPECT_EQ(Pixels().Pixel(0, row), Horizon);
    EXPECT_EQ(Pixels().Pixel(159, row), Horizon);
    EXPECT_EQ(Pixels().Pixel(80, row), RoadGrey);
    // Without a place on the course there is no eye and no horizon.
    PerspecDisp::Render(camera, PerspecDisp::Textured, -1, 0.0);
    EXPECT_EQ(Count(Horizon), 0);
}

TEST_F(PerspecDispTest, RenderClearsThenDrawsTheRoadAhead) {
    const platform::Colour15 background = Pixels().Pixel(0, 0) ^ 1;
    Pixels().SetPixel(5, 5, background);
    PerspecDisp::Render(camera, PerspecDisp::Textured); // no course, no camera position
    EXPECT_EQ(Count(Pixels().Pixel(0, 0)), 160 * 120);
    EXPECT_NE(Pixels().Pixel(5, 5), background);

    AddPoint(0, 0, 0, 4);
    AddPoint(0, 0, 300, 4);
    AddPoint(100, 0, 600, 4);
    PerspecDisp::Render(camera, PerspecDisp::Wireframe);
    EXPECT_GT(Count(White), 100);
    EXPECT_EQ(Count(RoadGrey), 0);
}

// Widths beyond single precision: every quadrilateral that reaches that far is left out
// instead of drawing stray lines, and the road of an ordinary width is still drawn.
TEST_F(PerspecDispTest, RoadBeyondSinglePrecisionIsLeftOutNotDrawnAstray) {
    for (const double width : {1e39, 2.5e78}) {
        CourseData::NewCourse();
        for (int i = 0; i < 4; ++i) {
            AddPoint(0, 0, 300.0 * i, 4);
        }
        CourseData::SetWidth(3, width, width); // the width spline spreads it along the road
        for (const int mode : {PerspecDisp::Wireframe, PerspecDisp::Textured}) {
            PerspecDisp::Render(camera, mode, 0, 0.0);
            EXPECT_EQ(Count(White) + Count(RoadGrey), 0) << width << " in mode " << mode;
        }
        // Level width handles keep the first two segments 20 wide.
        for (int i = 0; i < 4; ++i) {
            CourseData::SetWidthTangent(i, 0.0, 0.0, 1, 1);
        }
        PerspecDisp::Render(camera, PerspecDisp::Wireframe, 0, 0.0);
        EXPECT_GT(Count(White), 100) << width;
        PerspecDisp::Render(camera, PerspecDisp::Textured, 0, 0.0);
        EXPECT_GT(Count(RoadGrey), 2000) << width;
    }
    EXPECT_TRUE(ReadErrorLog().empty());
}

TEST_F(PerspecDispTest, AMissingTextureFileLeavesTheDesignerRunning) {
    AddPoint(0, 0, 0, 4);
    AddPoint(0, 0, 300, 4);
    PictureBank::Initialize(16);
    PerspecDisp::RegisterTexture(); // there is no "Texture.bmp" in the scratch directory
    PictureBank::Decide();
    PerspecDisp::Render(camera, PerspecDisp::Textured);
    // The road is plain grey and fills the bottom middle of the view.
    EXPECT_EQ(Count(White), 0);
    EXPECT_GT(Count(RoadGrey), 2000);
    EXPECT_EQ(Pixels().Pixel(80, 110), RoadGrey);
    EXPECT_FALSE(ReadErrorLog().empty()); // the report is still written
    PerspecDisp::ReleaseTexture();
    PictureBank::Release();
}
