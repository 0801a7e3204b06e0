#include "render/CameraControl.h"
#include "support/TempDir.h"
#include "views/DispControl.h"

#include <gtest/gtest.h>

using platform::Rgb15;

namespace {

class DispControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        DispControl::CreateDrawObjects();
        context.SelectSurface(&surface);
    }
    void TearDown() override { DispControl::DeleteDrawObjects(); }

    int CountColour(platform::Colour15 colour) const {
        int count = 0;
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                count += surface.Pixel(x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

    platform::Surface surface{40, 30};
    platform::DrawContext context;
    TempDir dir;
    CurrentDir inDir{dir.Path()};
};

constexpr platform::Colour15 Background = Rgb15(144, 144, 144);

} // namespace

TEST_F(DispControlTest, ClearViewFillsTheCamerasSurfaceWithTheBackground) {
    CameraControl camera;
    camera.Reset();
    camera.SetState(CameraControl::Top);
    camera.SetScreen(7, 5);
    DispControl::ClearView(camera);
    const platform::Surface& view = *camera.GetSurface()->GetSurface();
    EXPECT_EQ(view.Pixel(0, 0), Background);
    EXPECT_EQ(view.Pixel(6, 4), Background);
}

TEST_F(DispControlTest, MarkersTakeTheColourAndSizeOfTheirFlag) {
    const struct {
        int flag;
        platform::Colour15 outline;
    } cases[] = {{DispControl::PointAuto, Rgb15(0, 200, 0)},
                 {DispControl::HandleEnd, Rgb15(255, 255, 0)},
                 {DispControl::PointSelected, Rgb15(255, 0, 0)},
                 {DispControl::PointFixed, Rgb15(0, 0, 255)}};
    for (const auto& c : cases) {
        DispControl::ClearView(context, 40, 30);
        DispControl::DrawPoint(context, 20, 15, 40, 30, c.flag);
        EXPECT_EQ(surface.Pixel(17, 15), c.outline) << c.flag;
        EXPECT_EQ(surface.Pixel(16, 15), Background) << c.flag;
        EXPECT_EQ(surface.Pixel(22, 15), c.outline) << c.flag;
    }
}

TEST_F(DispControlTest, TheSmallDotKeepsTheSelectedBrushAndRestoresThePen) {
    const platform::Brush brush{Rgb15(8, 16, 24)};
    const platform::Pen pen{Rgb15(200, 0, 200)};
    context.SelectBrush(&brush);
    context.SelectPen(&pen);
    DispControl::ClearView(context, 40, 30);
    DispControl::DrawPoint(context, 10, 10, 40, 30, DispControl::SmallDot);
    EXPECT_EQ(surface.Pixel(9, 10), Rgb15(0, 200, 200));
    EXPECT_EQ(surface.Pixel(12, 10), Background);
    EXPECT_EQ(context.SelectBrush(nullptr), &brush);
    EXPECT_EQ(context.SelectPen(nullptr), &pen);
}

// The view is told to be 20 pixels wide on a wider surface, so a skipped marker would
// otherwise still show.
TEST_F(DispControlTest, MarkersUpToTheirRadiusOutsideTheViewAreDrawnFartherOnesSkipped) {
    DispControl::ClearView(context, 40, 30);
    DispControl::DrawPoint(context, 23, 10, 20, 30, DispControl::PointAuto);
    EXPECT_EQ(surface.Pixel(20, 10), Rgb15(0, 200, 0));
    DispControl::ClearView(context, 40, 30);
    DispControl::DrawPoint(context, 24, 10, 20, 30, DispControl::PointAuto);
    EXPECT_EQ(CountColour(Background), 40 * 30);
}

TEST_F(DispControlTest, LinePensFollowTheirFlags) {
    EXPECT_EQ(DispControl::GetLinePen(DispControl::HandleLine)->colour, Rgb15(255, 255, 0));
    EXPECT_EQ(DispControl::GetLinePen(DispControl::CentreLine)->colour, Rgb15(0, 200, 0));
    EXPECT_EQ(DispControl::GetLinePen(DispControl::CrossSectionLine)->colour, Rgb15(120, 120, 120));
    EXPECT_EQ(DispControl::GetLinePen(DispControl::GridLine)->colour, Rgb15(96, 96, 96));
    EXPECT_EQ(DispControl::GetLinePen(DispControl::SelectedCentreLine)->colour, Rgb15(255, 0, 0));
    EXPECT_EQ(DispControl::GetLinePen(DispControl::EdgeLine)->colour, Rgb15(200, 200, 200));
    EXPECT_EQ(DispControl::GetLinePen(DispControl::WhiteLine)->colour, Rgb15(255, 255, 255));
}

TEST_F(DispControlTest, StampsShowThePictureInsideTheMaskOnly) {
    for (int flag :
         {DispControl::SelectDesign, DispControl::HandDesign, DispControl::CameraDesign}) {
        DispControl::ClearView(context, 40, 30);
        DispControl::DrawDesign(context, 4, 3, flag);
        EXPECT_LT(CountColour(Background), 40 * 30) << flag;
        // Outside the 24 x 24 stamp nothing changed.
        EXPECT_EQ(surface.Pixel(3, 3), Background);
        EXPECT_EQ(surface.Pixel(28, 3), Background);
        EXPECT_EQ(surface.Pixel(4, 27), Background);
    }
}

TEST_F(DispControlTest, HitPointIsAFiveByFiveSquare) {
    EXPECT_TRUE(DispControl::HitPoint(10, 10, 10, 10));
    EXPECT_TRUE(DispControl::HitPoint(12, 8, 10, 10));
    EXPECT_FALSE(DispControl::HitPoint(13, 10, 10, 10));
    EXPECT_FALSE(DispControl::HitPoint(10, 7, 10, 10));
    EXPECT_EQ(DispControl::GetHitRadius(), 3);
    EXPECT_EQ(DispControl::GetGridSpacing(), 200);
    EXPECT_EQ(DispControl::GetGridLineCount(), 21);
}

TEST_F(DispControlTest, DistancesAndDevelopedPoints) {
    const Vec3d a{1, 2, 3};
    const Vec3d b{4, 6, 7};
    EXPECT_DOUBLE_EQ(DispControl::PlaneDistance(a, b), 5.0);
    EXPECT_DOUBLE_EQ(DispControl::SpaceDistance(a, b), std::sqrt(41.0));
    const Vec3d developed = DispControl::MakeDevelopedPoint(a, -8, 120);
    EXPECT_EQ(developed.x, -8);
    EXPECT_EQ(developed.y, 2);
    EXPECT_EQ(developed.z, 120);
}
