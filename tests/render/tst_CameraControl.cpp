#include "render/CameraControl.h"
#include "support/ErrorLogCheck.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

CameraControl MakeCamera(int state, int width = 641, int height = 480) {
    CameraControl camera;
    camera.Reset();
    camera.SetState(state);
    camera.SetScreen(width, height);
    return camera;
}

} // namespace

TEST(CameraControlTest, ResetGivesTheStartingValues) {
    CameraControl camera;
    camera.Reset();
    double x = 1, y = 1, z = 1, zoom = 0;
    camera.GetCamera(x, y, z, zoom);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(zoom, 0.1);
    EXPECT_EQ(camera.GetState(), CameraControl::Unset);
    EXPECT_EQ(camera.GetSurface(), nullptr);
    // An unset camera ignores moves and zooms without a report.
    camera.Move(5, 5, 5);
    camera.SetZoom(7);
    EXPECT_EQ(camera.GetZoom(), 0.0);
    camera.GetCamera(x, y, z, zoom);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(zoom, 0.1);
}

TEST(CameraControlTest, ZoomIsClampedToItsRange) {
    CameraControl camera = MakeCamera(CameraControl::Top);
    const std::pair<double, double> cases[] = {{0, 0.01},
                                               {1000, 300},
                                               {0.01, 0.01},
                                               {300, 300},
                                               {2.5, 2.5},
                                               {-4, 0.01},
                                               {std::numeric_limits<double>::quiet_NaN(), 0.01},
                                               {std::numeric_limits<double>::infinity(), 300}};
    for (const auto& [asked, stored] : cases) {
        camera.SetZoom(asked);
        EXPECT_EQ(camera.GetZoom(), stored) << asked;
    }
}

TEST(CameraControlTest, MoveChangesOnlyTheAxesTheViewShows) {
    const struct {
        int state;
        Vec3d expected;
    } cases[] = {{CameraControl::Top, {1, 0, 1}},
                 {CameraControl::Side, {0, 1, 1}},
                 {CameraControl::Front, {1, 1, 0}},
                 {CameraControl::Perspective, {1, 1, 1}}};
    for (const auto& c : cases) {
        CameraControl camera;
        camera.Reset();
        camera.SetState(c.state);
        camera.Move(1, 1, 1);
        double x, y, z, zoom;
        camera.GetCamera(x, y, z, zoom);
        EXPECT_EQ(x, c.expected.x) << c.state;
        EXPECT_EQ(y, c.expected.y) << c.state;
        EXPECT_EQ(z, c.expected.z) << c.state;
    }
}

TEST(CameraControlTest, WorldToScreenMapsEachViewsAxesAndTruncatesTowardZero) {
    CameraControl top = MakeCamera(CameraControl::Top);
    top.SetZoom(1);
    Vec3d screen;
    ASSERT_EQ(top.WorldToScreen({0, 0, 0}, screen), 0);
    EXPECT_EQ(screen.x, 320); // integer half of 641
    EXPECT_EQ(screen.y, 240);
    ASSERT_EQ(top.WorldToScreen({-0.7, 9.5, 0.7}, screen), 0);
    EXPECT_EQ(screen.x, 320);
    EXPECT_EQ(screen.y, 240);
    EXPECT_EQ(screen.z, 9.5);
    top.WorldToScreen({10, 3, 20}, screen);
    EXPECT_EQ(screen.x, 330);
    EXPECT_EQ(screen.y, 220);

    CameraControl side = MakeCamera(CameraControl::Side);
    side.SetZoom(2);
    side.WorldToScreen({10, 3, 20}, screen);
    EXPECT_EQ(screen.x, 360);
    EXPECT_EQ(screen.y, 234);
    EXPECT_EQ(screen.z, 20);

    CameraControl front = MakeCamera(CameraControl::Front);
    front.SetZoom(0.5);
    front.WorldToScreen({10, 3, 20}, screen);
    EXPECT_EQ(screen.x, 325);
    EXPECT_EQ(screen.y, 239);
    EXPECT_EQ(screen.z, 10);
}

TEST(CameraControlTest, ScreenToWorldInvertsTheMappingAndKeepsTheDepth) {
    CameraControl top = MakeCamera(CameraControl::Top, 640, 480);
    top.Move(100, 0, 200);
    top.SetZoom(4);
    Vec3d world;
    ASSERT_EQ(top.ScreenToWorld(320, 240, world), 0);
    EXPECT_EQ(world.x, 100);
    EXPECT_EQ(world.y, 0);
    EXPECT_EQ(world.z, 200);
    top.ScreenToWorld(328, 236, world);
    EXPECT_EQ(world.x, 102);
    EXPECT_EQ(world.z, 201);
    Vec3d screen;
    top.WorldToScreen(world, screen);
    EXPECT_EQ(screen.x, 328);
    EXPECT_EQ(screen.y, 236);

    CameraControl side = MakeCamera(CameraControl::Side, 640, 480);
    side.ScreenToWorld(330, 230, world);
    EXPECT_EQ(world.x, 0);
    EXPECT_DOUBLE_EQ(world.y, 100);
    EXPECT_DOUBLE_EQ(world.z, 100);
}

TEST(CameraControlTest, SurfacesFollowTheScreenSize) {
    CameraControl camera = MakeCamera(CameraControl::Front, 30, 20);
    ASSERT_NE(camera.GetSurface(), nullptr);
    EXPECT_EQ(camera.GetSurface()->GetSurface()->Width(), 30);
    camera.SetScreen(50, 10);
    int w = 0, h = 0;
    camera.GetScreenSize(w, h);
    EXPECT_EQ(w, 50);
    EXPECT_EQ(h, 10);
    EXPECT_EQ(camera.GetSurface()->GetSurface()->Height(), 10);
    camera.SetScreen(0, 10);
    EXPECT_EQ(camera.GetSurface(), nullptr);
    camera.GetScreenSize(w, h);
    EXPECT_EQ(w, 0);
    camera.SetScreen(30, 20);
    camera.ReleaseScreen();
    EXPECT_EQ(camera.GetSurface(), nullptr);
    camera.GetScreenSize(w, h);
    EXPECT_EQ(w, 0);
}

TEST(CameraControlTest, PerspectiveCameraProjectsOnlyBeyondTheScreenDistance) {
    CameraControl camera = MakeCamera(CameraControl::Perspective, 200, 100);
    camera.SetScrnDst(5);
    EXPECT_EQ(camera.GetScrnDst(), 20);
    camera.SetScrnDst(5000);
    EXPECT_EQ(camera.GetScrnDst(), 1000);
    camera.SetScrnDst(100);
    camera.UpdateRotation();
    Vec3d screen;
    EXPECT_EQ(camera.WorldToScreen({0, 0, 50}, screen), 1);
    ASSERT_EQ(camera.WorldToScreen({10, 5, 200}, screen), 0);
    EXPECT_EQ(screen.x, 105);
    EXPECT_EQ(screen.y, 48);
    EXPECT_EQ(screen.z, 200);
}

class CameraReportTest : public ::testing::Test {
protected:
    TempDir dir;
    CurrentDir inDir{dir.Path()};
};

TEST_F(CameraReportTest, WrongUsesAreReported) {
    EXPECT_REPORT(
        {
            CameraControl camera;
            camera.Reset();
            camera.SetState(4);
        },
        "CameraControl1", "対応していないカメラの属性を検出");
    EXPECT_REPORT(
        {
            CameraControl camera;
            camera.Reset();
            Vec3d screen;
            camera.WorldToScreen({0, 0, 0}, screen);
        },
        "CameraControl1", "カメラのstateにありえない設定を検出");
    EXPECT_REPORT(MakeCamera(CameraControl::Top).SetScrnDst(50), "CameraControl1",
                  "平行カメラなのにScrnDstを設定しようとした");
    EXPECT_REPORT(MakeCamera(CameraControl::Side).GetScrnDst(), "CameraControl1",
                  "平行カメラなのにズームを獲得しようとした");
    EXPECT_REPORT(MakeCamera(CameraControl::Perspective).SetZoom(1), "CameraControl1",
                  "パースペクティブカメラなのにズーム設定しようとした");
    EXPECT_REPORT(MakeCamera(CameraControl::Perspective).GetZoom(), "CameraControl1",
                  "パースペクティブカメラなのにズームを獲得しようとした");
    EXPECT_REPORT(
        {
            Vec3d world;
            MakeCamera(CameraControl::Perspective).ScreenToWorld(1, 1, world);
        },
        "CameraControl1", "パースペクティブカメラなのにスクリーン座標をワールドに変換しようとした");
}
