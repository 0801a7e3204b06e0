#include "render/CameraControl.h"
#include "support/CourseTest.h"
#include "views/DispControl.h"
#include "views/SpPointDisp.h"

#include <numbers>

using platform::Rgb15;

namespace {

constexpr platform::Colour15 Background = Rgb15(144, 144, 144);
constexpr platform::Colour15 Grid = Rgb15(96, 96, 96);
constexpr platform::Colour15 Green = Rgb15(0, 200, 0);
constexpr platform::Colour15 Yellow = Rgb15(255, 255, 0);

// A front camera at zoom 1 on a 260 x 200 surface: the dial's centre is (130, 100).
// Point 1 of three, when selected with roll 0 and slope 5, has its roll point at
// (200, 100) and its handle from (206, 100) to (206, 50).
class SpPointDispTest : public CourseTest {
protected:
    void SetUp() override {
        CourseTest::SetUp();
        DispControl::CreateDrawObjects();
        camera.Reset();
        camera.SetState(CameraControl::Front);
        camera.SetScreen(260, 200);
        camera.SetZoom(1.0);
        AddPoints({{0, 0, 0}, {100, 0, 0}, {200, 0, 50}});
        CourseData::SetRollTangent(1, 5.0, 1);
        CourseData::SetHandle(1, 0);
    }
    void TearDown() override {
        DispControl::DeleteDrawObjects();
        CourseTest::TearDown();
    }
    platform::Colour15 At(int x, int y) const {
        return camera.GetSurface()->GetSurface()->Pixel(x, y);
    }

    CameraControl camera;
};

std::array<int, 8> Positions(const SpPointDisp::Dial& d) {
    return {d.centreX, d.centreY, d.rollX, d.rollY, d.baseX, d.baseY, d.handleX, d.handleY};
}

} // namespace

TEST(SpPointDialTest, TheRollTurnsClockwiseFromTheRightAndTheHandleFollowsTheTangent) {
    using Expected = std::array<int, 8>;
    EXPECT_EQ(Positions(SpPointDisp::MakeDial(200, 160, 1.0, 0.0, 2.0)),
              (Expected{100, 80, 170, 80, 176, 80, 176, 60}));
    // A quarter turn puts the point below the centre; the handle then points right.
    EXPECT_EQ(Positions(SpPointDisp::MakeDial(200, 160, 1.0, std::numbers::pi / 2, 2.0)),
              (Expected{100, 80, 100, 150, 100, 156, 120, 156}));
    // Odd sizes halve toward zero, negative positions truncate toward zero.
    EXPECT_EQ(Positions(SpPointDisp::MakeDial(11, 7, 0.995, std::numbers::pi, 0.0)),
              (Expected{5, 3, -64, 3, -70, 3, -70, 3}));
    // Handles beyond any screen are held to a range that converts safely.
    EXPECT_EQ(SpPointDisp::MakeDial(200, 160, 300.0, 0.0, 1e100).handleY, -100000000);
    EXPECT_EQ(SpPointDisp::MakeDial(200, 160, 1.0, 0.0, -1e100).handleY, 100000000);
}

TEST(SpPointDialTest, TheZoomScalesTheCircleButNotTheHandle) {
    for (double zoom : {0.5, 1.0, 2.0}) {
        const SpPointDisp::Dial d = SpPointDisp::MakeDial(200, 160, zoom, 0.0, 3.0);
        EXPECT_EQ(d.rollX - d.centreX, static_cast<int>(70 * zoom)) << zoom;
        EXPECT_EQ(d.baseX - d.rollX, 6) << zoom;
        EXPECT_EQ(d.baseY - d.handleY, 30) << zoom;
    }
}

TEST_F(SpPointDispTest, WithoutASelectionOnlyTheCrossAndTheZoomedCircleAreDrawn) {
    CourseData::SetHandle(-1, 0);
    SpPointDisp::Draw(camera, SpPointDisp::GripRoll);
    EXPECT_EQ(At(0, 100), Grid);
    EXPECT_EQ(At(259, 100), Grid);
    EXPECT_EQ(At(130, 0), Grid);
    EXPECT_EQ(At(130, 199), Grid);
    EXPECT_EQ(At(60, 99), Grid); // the circle's edges, 70 pixels out
    EXPECT_EQ(At(59, 99), Background);
    EXPECT_EQ(At(199, 99), Grid);
    EXPECT_EQ(At(200, 99), Background);
    int others = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 260; ++x) {
            others += At(x, y) != Background && At(x, y) != Grid ? 1 : 0;
        }
    }
    EXPECT_EQ(others, 0);
    EXPECT_EQ(camera.GetSurface()->SelectPen(nullptr), nullptr); // the pen is as it was
    camera.SetZoom(0.5);
    SpPointDisp::Draw(camera, SpPointDisp::GripRoll);
    EXPECT_EQ(At(95, 99), Grid);
    EXPECT_EQ(At(94, 99), Background);
}

TEST_F(SpPointDispTest, TheSelectedRollShowsItsLineMarkerAndHandle) {
    SpPointDisp::Draw(camera, SpPointDisp::GripRoll);
    EXPECT_EQ(At(150, 100), Green); // the roll line covers the cross
    EXPECT_EQ(At(197, 99), Green);  // the roll point's marker
    EXPECT_EQ(At(206, 75), Yellow); // the handle
    EXPECT_EQ(At(203, 49), Yellow); // its end's marker
    EXPECT_EQ(At(206, 45), Background);
}

// Drawn once per grip, the pictures differ only where the stamps go: the select stamp at
// the roll point for grip 1, the hand at the handle's end for grip 2.
TEST_F(SpPointDispTest, TheGripDecidesWhichPartIsStamped) {
    SpPointDisp::Draw(camera, SpPointDisp::GripRoll);
    const platform::Surface rollGripped = *camera.GetSurface()->GetSurface();
    SpPointDisp::Draw(camera, SpPointDisp::GripHandle);
    std::array<int, 3> differences{}; // in the select stamp, in the hand, elsewhere
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 260; ++x) {
            if (rollGripped.Pixel(x, y) != At(x, y)) {
                const bool select = x >= 200 && x < 224 && y >= 100 && y < 124;
                const bool hand = x >= 206 && x < 230 && y >= 50 && y < 74;
                ++differences[select ? 0 : (hand ? 1 : 2)];
            }
        }
    }
    EXPECT_GT(differences[0], 0);
    EXPECT_GT(differences[1], 0);
    EXPECT_EQ(differences[2], 0);
}

TEST_F(SpPointDispTest, HitsFindTheRollPointThenTheHandleEnd) {
    EXPECT_EQ(SpPointDisp::HitDial(camera, 202, 98), SpPointDisp::GripRoll);
    EXPECT_EQ(SpPointDisp::HitDial(camera, 203, 100), 0);
    EXPECT_EQ(SpPointDisp::HitDial(camera, 206, 50), SpPointDisp::GripHandle);
    EXPECT_EQ(SpPointDisp::HitDial(camera, 206, 53), 0);
    EXPECT_EQ(SpPointDisp::HitDial(camera, 130, 100), 0);
    CourseData::SetHandle(-1, 0);
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
