#include "render/CameraControl.h"

#include <array>
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

// An unset camera ignores moves and zooms without a report.
TEST(CameraControlTest, AnUnsetCameraStaysWhereResetPutsIt) {
    CameraControl camera;
    camera.Reset();
    camera.Move(5, 5, 5);
    camera.SetZoom(7);
    EXPECT_EQ(camera.GetZoom(), 0.0);
    double x = 1;
    double y = 1;
    double z = 1;
    double zoom = 0;
    camera.GetCamera(x, y, z, zoom);
    EXPECT_EQ(x + y + z, 0.0);
    EXPECT_EQ(zoom, 0.1);
    EXPECT_EQ(camera.GetSurface(), nullptr);
}

TEST(CameraControlTest, ZoomIsClampedToItsRange) {
    CameraControl camera = MakeCamera(CameraControl::Top);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, double> cases[] = {{0, 0.01},  {1000, 300}, {0.01, 0.01},
                                               {300, 300}, {2.5, 2.5},  {0.005, 0.01},
                                               {-4, 0.01}, {nan, 0.01}, {inf, 300}};
    for (const auto& [asked, stored] : cases) {
        camera.SetZoom(asked);
        EXPECT_EQ(camera.GetZoom(), stored) << asked;
    }
}

TEST(CameraControlTest, MoveChangesOnlyTheAxesTheViewShows) {
    for (const auto& [state, expected] : {std::pair{CameraControl::Top, std::array{1.0, 0.0, 1.0}},
                                          {CameraControl::Side, {0, 1, 1}},
                                          {CameraControl::Front, {1, 1, 0}},
                                          {CameraControl::Perspective, {1, 1, 1}}}) {
        CameraControl camera = MakeCamera(state);
        camera.Move(1, 1, 1);
        double x, y, z, zoom;
        camera.GetCamera(x, y, z, zoom);
        EXPECT_EQ((std::array{x, y, z}), expected) << state;
    }
}

TEST(CameraControlTest, AScreenOfNoSizeHasNoSurface) {
    CameraControl camera = MakeCamera(CameraControl::Front, 30, 20);
    ASSERT_NE(camera.GetSurface(), nullptr);
    EXPECT_EQ(camera.GetSurface()->GetSurface()->Height(), 20);
    for (const bool release : {false, true}) {
        camera.SetScreen(30, 20);
        release ? camera.ReleaseScreen() : camera.SetScreen(0, 10);
        EXPECT_EQ(camera.GetSurface(), nullptr);
        int w = 1;
        int h = 1;
        camera.GetScreenSize(w, h);
        EXPECT_EQ(w + h, 0);
    }
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
