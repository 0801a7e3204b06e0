#include "render/CameraControl.h"
#include "support/CourseTest.h"
#include "views/DispControl.h"
#include "views/ParallelDisp.h"

using platform::Colour15;
using platform::Rgb15;

namespace {

constexpr Colour15 Background = Rgb15(144, 144, 144);
constexpr Colour15 Grid = Rgb15(96, 96, 96);
constexpr Colour15 Road = Rgb15(120, 120, 120);
constexpr Colour15 Green = Rgb15(0, 200, 0);
constexpr Colour15 Red = Rgb15(255, 0, 0);
constexpr Colour15 Blue = Rgb15(0, 0, 255);
constexpr Colour15 Yellow = Rgb15(255, 255, 0);

struct Pixel {
    int x, y;
};

// A 200 x 150 view with the world origin at its centre.
class ParallelDispTest : public CourseTest {
protected:
    void SetUp() override {
        CourseTest::SetUp();
        DispControl::CreateDrawObjects();
        Look(CameraControl::Top, 1.0);
    }
    void TearDown() override {
        DispControl::DeleteDrawObjects();
        CourseTest::TearDown();
    }

    void Look(int state, double zoom) {
        camera.Reset();
        camera.SetState(state);
        camera.SetZoom(zoom);
        camera.SetScreen(200, 150);
    }
    Pixel At(const Vec3d& world) const {
        Vec3d screen{};
        camera.WorldToScreen(world, screen);
        return {static_cast<int>(screen.x), static_cast<int>(screen.y)};
    }
    platform::Surface Drawn(int showCamera) {
        ParallelDisp::Draw(camera, showCamera);
        return *camera.GetSurface()->GetSurface();
    }

    CameraControl camera{};
};

int Count(const platform::Surface& s, Colour15 colour) {
    int count = 0;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            count += s.Pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

// True when the pictures differ, and only within a stamp's 24 x 24 box at (left, top).
bool DifferInStampOnly(const platform::Surface& a, const platform::Surface& b, int left, int top) {
    bool differ = false;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                if (x < left || x >= left + 24 || y < top || y >= top + 24) {
                    return false;
                }
                differ = true;
            }
        }
    }
    return differ;
}

} // namespace

TEST_F(ParallelDispTest, TheGroundGridLiesOnTheGroundPlane) {
    // Lines every 200 units from -2000 to 2000: 6 pixels apart at this zoom.
    Look(CameraControl::Top, 0.03);
    const platform::Surface top = Drawn(0);
    const Pixel line = At({-1400, 0, -100});
    EXPECT_EQ(top.Pixel(line.x, line.y), Grid);
    EXPECT_EQ(top.Pixel(line.x + 3, line.y), Background);
    Look(CameraControl::Front, 0.03);
    const Pixel ground = At({500, 0, 0});
    EXPECT_EQ(Drawn(0).Pixel(ground.x, ground.y), Grid);
    EXPECT_EQ(Drawn(0).Pixel(ground.x, ground.y - 1), Background);
}

// Three points along x: point 0 with a fixed tangent, point 1 selected, point 2 automatic.
TEST_F(ParallelDispTest, MarkersLinesAndRoadTakeTheirColours) {
    AddPoints({{-60, 0, 0}, {0, 0, 0}, {60, 0, 0}});
    CourseData::SetTangentFixed(0, 1, 0, 0);
    CourseData::SetHandle(1, CourseData::HandlePoint);
    const platform::Surface s = Drawn(0);
    const Pixel p0 = At(PositionOf(0));
    const Pixel p1 = At(PositionOf(1));
    const Pixel p2 = At(PositionOf(2));
    EXPECT_EQ(s.Pixel(p0.x - 3, p0.y), Blue);
    EXPECT_EQ(s.Pixel(p1.x - 3, p1.y), Red);
    EXPECT_EQ(s.Pixel(p2.x - 3, p2.y), Green);
    // The selected point's segment, the one starting at it, is red; the others green.
    EXPECT_EQ(s.Pixel(p0.x + 20, p0.y), Green);
    EXPECT_EQ(s.Pixel(p2.x - 20, p2.y), Red);
    // The handle, and the road's edges 20 units either side.
    EXPECT_EQ(s.Pixel(p1.x - 10, p1.y), Yellow);
    EXPECT_EQ(s.Pixel(p0.x + 30, p0.y - 20), Road);
    EXPECT_EQ(s.Pixel(p0.x + 30, p0.y + 20), Road);
    EXPECT_EQ(s.Pixel(p0.x + 30, p0.y - 30), Background);
}

TEST_F(ParallelDispTest, StampsMarkTheGrippedPointAndTheCamerasPlace) {
    // One point shows no handle, not even a gripped one.
    CourseData::AddPoint(0, 0, 0);
    CourseData::SetTangent(0, 100, 0, 0, 1, 1, 1);
    const platform::Surface gripped = Drawn(0);
    CourseData::SetHandle(0, CourseData::HandleForward);
    const platform::Surface handle = Drawn(0);
    EXPECT_EQ(Count(handle, Yellow), 0);
    const Pixel p = At(PositionOf(0));
    EXPECT_TRUE(DifferInStampOnly(gripped, handle, p.x, p.y));

    CourseData::AddPoint(0, 0, -300);
    CourseData::MoveCameraPosition(0.5);
    Vec3d place{};
    CourseData::GetCoursePosition(0, 0.5, place.x, place.y, place.z);
    const Pixel c = At(place);
    EXPECT_TRUE(DifferInStampOnly(Drawn(0), Drawn(1), c.x, c.y - 24));
}

// At the largest zoom the second point lies billions of pixels away; the line towards it
// must still leave the first point in its own direction.
TEST_F(ParallelDispTest, FarAwayPointsKeepTheirLinesDirectionAndNoSurfaceDrawsNothing) {
    AddPoints({{0, 0, 0}, {2e7, 0, 1e7}});
    CourseData::SetHandle(-1, CourseData::HandlePoint);
    Look(CameraControl::Top, 300.0);
    const Pixel p = At(PositionOf(0));
    EXPECT_EQ(Drawn(0).Pixel(p.x + 60, p.y - 30), Green);

    camera.SetScreen(0, 0);
    ASSERT_EQ(camera.GetSurface(), nullptr);
    ParallelDisp::Draw(camera, 1);
}

// Segments off the view are left out: a centre line just off the left edge still has
// the part of its road that reaches into the view drawn, and a course wholly off the view
// draws the grid alone.
TEST_F(ParallelDispTest, RoadReachingIntoTheViewFromOffItIsDrawn) {
    AddPoints({{-110, 0, -40}, {-110, 0, 40}});
    const platform::Surface s = Drawn(0);
    const Pixel start = At(PositionOf(0));
    ASSERT_LT(start.x, 0);
    // The start point's cross line runs from its first edge at x = 10 leftwards.
    EXPECT_EQ(s.Pixel(0, start.y), Road);
    EXPECT_EQ(s.Pixel(10, start.y), Road);
    EXPECT_EQ(s.Pixel(11, start.y), Background);

    CourseData::NewCourse();
    AddPoints({{-131, 0, -40}, {-131, 0, 40}});
    EXPECT_EQ(Count(Drawn(0), Road), 0);
    EXPECT_EQ(Count(Drawn(0), Green), 0);
}

// The first segment lies off the view and is left out; the second, one straight step
// without samples, must still start where the first ended, not where the first began.
TEST_F(ParallelDispTest, CentreLineAfterASegmentOffTheViewStartsAtItsEnd) {
    AddPoints({{-1000, 0, 1000}, {-1000, 0, 0}, {0, 0, 0}});
    CourseData::SetHandle(1, CourseData::HandlePoint);
    CourseData::ChangeSampleNum(-CourseData::DefaultSampleNum);
    CourseData::SetHandle(-1, CourseData::HandlePoint);
    const platform::Surface s = Drawn(0);
    const Pixel end = At(PositionOf(2));
    EXPECT_EQ(s.Pixel(end.x - 50, end.y), Green);
    for (int y = 0; y < end.y - 3; ++y) { // above the line and the end point's marker
        for (int x = 0; x < s.Width(); ++x) {
            ASSERT_NE(s.Pixel(x, y), Green) << x << ", " << y;
        }
    }
}

// A lone point's handle is not shown, so it cannot be gripped either.
TEST_F(ParallelDispTest, ALonePointsHandleIsNotFound) {
    CourseData::AddPoint(0, 0, 0);
    CourseData::SetTangent(0, 0, 0, 100, 1, 1, 1);
    const Pixel p = At(PositionOf(0));
    EXPECT_EQ(ParallelDisp::FindHandle(camera, p.x, p.y - 30), -1);
    CourseData::AddPoint(200, 0, 0);
    CourseData::SetHandle(0, CourseData::HandlePoint);
    EXPECT_EQ(ParallelDisp::FindHandle(camera, p.x, p.y - 30), CourseData::HandleForward);
}
