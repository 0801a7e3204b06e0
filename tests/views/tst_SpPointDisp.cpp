#include "support/ViewFixture.h"
#include "views/SpPointDisp.h"

#include <array>
#include <numbers>
#include <tuple>

namespace {

using Positions = std::array<int, 8>;

Positions PositionsOf(const SpPointDisp::Dial& d) {
    return {d.centreX, d.centreY, d.rollX, d.rollY, d.baseX, d.baseY, d.handleX, d.handleY};
}

// A front camera at zoom 1 on a 260 x 200 surface: the dial's centre is (130, 100). Point 1 of
// three, selected with roll 0 and slope 5, has its roll point at (200, 100) and its handle from
// (206, 100) to (206, 50).
class SpPointDispTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        AddPoints({{0, 0, 0}, {100, 0, 0}, {200, 0, 50}});
        CourseData::SetRollTangent(1, 5.0, 1);
        CourseData::SetHandle(1, CourseData::HandlePoint);
    }

    CameraControl camera = MakeViewCamera(CameraControl::Front, 260, 200);
};

} // namespace

// Centre, roll point, handle base and handle end: odd sizes halve toward zero and negative
// positions truncate toward zero; handles beyond any screen are held to a range that converts
// safely.
TEST(SpPointDial, PositionsTruncateTowardZeroAndStayInRange) {
    EXPECT_EQ(PositionsOf(SpPointDisp::MakeDial(11, 7, 0.995, std::numbers::pi, 0.0)),
              (Positions{5, 3, -64, 3, -70, 3, -70, 3}));
    EXPECT_EQ(SpPointDisp::MakeDial(200, 160, 300.0, 0.0, 1e100).handleY, -100000000);
    EXPECT_EQ(SpPointDisp::MakeDial(200, 160, 1.0, 0.0, -1e100).handleY, 100000000);
}

TEST_F(SpPointDispTest, HitsFindTheRollPointThenTheHandleEnd) {
    const std::tuple<int, int, int> rows[] = {{202, 98, SpPointDisp::GripRoll},
                                              {203, 100, 0},
                                              {206, 50, SpPointDisp::GripHandle},
                                              {206, 53, 0},
                                              {130, 100, 0}};
    for (const auto& [x, y, grip] : rows) {
        EXPECT_EQ(SpPointDisp::HitDial(camera, x, y), grip) << x << ", " << y;
    }
    CourseData::SetHandle(-1, CourseData::HandlePoint);
    EXPECT_EQ(SpPointDisp::HitDial(camera, 200, 100), 0);
}

TEST_F(SpPointDispTest, FittingScalesTheZoomByTheWidthOnlyBetweenRealSizes) {
    SpPointDisp::FitSurface(camera, 520, 100);
    EXPECT_DOUBLE_EQ(camera.GetZoom(), 2.0);
    for (int empty : {0, -2}) {
        SpPointDisp::FitSurface(camera, empty, empty);
        EXPECT_EQ(camera.GetSurface(), nullptr);
        SpPointDisp::Draw(camera, SpPointDisp::GripRoll); // nothing to draw on
        EXPECT_DOUBLE_EQ(camera.GetZoom(), 2.0) << empty;
    }
    SpPointDisp::FitSurface(camera, 130, 100);
    SpPointDisp::FitSurface(camera, 130, 300); // height alone keeps the zoom
    EXPECT_DOUBLE_EQ(camera.GetZoom(), 2.0);
    int width = 0;
    int height = 0;
    camera.GetScreenSize(width, height);
    EXPECT_EQ(width, 130);
    EXPECT_EQ(height, 300);
}
