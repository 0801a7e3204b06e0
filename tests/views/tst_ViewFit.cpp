#include "support/ViewFixture.h"
#include "views/ViewFit.h"

namespace {

using ViewFitTest = ViewTest;

Vec3d ScreenOf(const CameraControl& camera, const Vec3d& world) {
    Vec3d screen{};
    camera.WorldToScreen(world, screen);
    return screen;
}

// A box 400 wide (x), 40 high (y) and 200 deep (z), on 200 x 100 views.
TEST_F(ViewFitTest, ABoxFillsTheTighterScreenAxisAroundItsCentre) {
    const Box box{{-100, 0, 50}, {300, 40, 250}};
    CameraControl top = MakeViewCamera(CameraControl::Top, 200, 100, 3.0, {7, 7, 7});
    ViewFit::FitBox(top, box);
    EXPECT_DOUBLE_EQ(top.GetZoom(), 0.45); // 0.9 × 200 / 400 across; 0.9 × 100 / 200 up
    EXPECT_DOUBLE_EQ(ScreenOf(top, {100, 0, 150}).x, 100.0);
    EXPECT_DOUBLE_EQ(ScreenOf(top, {-100, 0, 50}).x, 10.0);
    CameraControl side = MakeViewCamera(CameraControl::Side, 200, 100);
    ViewFit::FitBox(side, box);
    EXPECT_DOUBLE_EQ(side.GetZoom(), 0.9); // 0.9 × 200 / 200 across; 0.9 × 100 / 40 up
    EXPECT_DOUBLE_EQ(ScreenOf(side, {0, 40, 250}).y, 32.0);
    CameraControl front = MakeViewCamera(CameraControl::Front, 200, 100, 2.0);
    ViewFit::FitBox(front, {{5, 5, 0}, {5, 5, 90}}); // seen end on: nothing to fit
    EXPECT_DOUBLE_EQ(front.GetZoom(), 2.0);
    EXPECT_DOUBLE_EQ(ScreenOf(front, {5, 5, 0}).x, 100.0);
}

// A straight climb: 300 along x, 40 up, widths 20 and 10 after a width scale of 2.
TEST_F(ViewFitTest, CourseBoxesHoldTheRoadAndTheDevelopedCourse) {
    EXPECT_FALSE(ViewFit::CourseBox());
    EXPECT_FALSE(ViewFit::DevelopedBox(DevelopedCourse::InSpace));
    AddPoints({{0, 0, 0}, {300, 40, 0}});
    CourseData::SetWidth(0, 10.0, 5.0);
    CourseData::SetWidth(1, 10.0, 5.0);
    CourseData::ChangeWidthScale(1.0);
    const Box road = *ViewFit::CourseBox();
    EXPECT_DOUBLE_EQ(road.high.x, 300.0);
    EXPECT_NEAR(road.low.z, -20.0, 1e-9); // side A to the right of +x, seen from above
    EXPECT_NEAR(road.high.z, 10.0, 1e-9);
    const Box inSpace = *ViewFit::DevelopedBox(DevelopedCourse::InSpace);
    const Box onGround = *ViewFit::DevelopedBox(DevelopedCourse::OnGround);
    EXPECT_DOUBLE_EQ(inSpace.low.x, -20.0);
    EXPECT_DOUBLE_EQ(inSpace.high.x, 10.0);
    EXPECT_DOUBLE_EQ(inSpace.high.y, 40.0);
    EXPECT_NEAR(inSpace.high.z, std::hypot(300.0, 40.0), 1e-9);
    EXPECT_NEAR(onGround.high.z, 300.0, 1e-9);
    const Vec3d end = ViewFit::DevelopedPlace(1, DevelopedCourse::OnGround);
    EXPECT_NEAR(end.z, 300.0, 1e-9);
    EXPECT_EQ(end.y, 40.0);
}

} // namespace
