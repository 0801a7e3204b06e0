#include "platform/DrawContext.h"
#include "render/PerspecCamera.h"
#include "render/PerspecTextureEngine.h"
#include "support/ErrorLogCheck.h"
#include "support/TempDir.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t Red = platform::Rgb15(255, 0, 0);
constexpr std::uint16_t White = platform::Rgb15(255, 255, 255);
const TextureView RedTexture{&Red, 0, 0};

// The perspective window's lens on a 100 x 100 surface: at camera depth 4 one unit is
// 12.5 pixels about the centre (50, 50).
class PerspecCameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        PerspecTextureEngine::Initialize();
        camera.Reset();
        camera.SetLens(2.0F, 2.0F, 4.0F, 4.0F, 500.0F);
        camera.SetScreen(100, 100);
        camera.UpdateObject();
    }
    void TearDown() override { PerspecTextureEngine::Release(); }

    platform::Surface& Pixels() { return *camera.GetSurface()->GetSurface(); }

    int Count(std::uint16_t colour) {
        int n = 0;
        for (int y = 0; y < Pixels().Height(); ++y) {
            for (int x = 0; x < Pixels().Width(); ++x) {
                n += Pixels().Pixel(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

    TempDir dir;
    CurrentDir inDir{dir.Path()};
    PerspecCamera camera{};
};

// On screen (25, 25), (75, 25), (25, 75): clockwise with y down, so it faces the viewer.
const Vec3 FacingTriangle[3] = {{-2, 2, 4}, {2, 2, 4}, {-2, -2, 4}};
const Vec2 Uvs[3] = {{0, 0}, {1, 0}, {0, 1}};

} // namespace

// Vertices no clip or projection in single precision survives (not a number, infinite, or
// so large that differences overflow) leave the whole polygon out instead of drawing it
// astray; a far vertex within reach still draws, and so does a vast triangle, whose
// orientation's products pass 2^31. Culling and outlines of everyday polygons show in the
// golden views.
TEST_F(PerspecCameraTest, OnlyAPolygonWithAVertexOutOfReachIsSkipped) {
    for (const float wild : {NAN, INFINITY, -INFINITY, 3e38F, -2e30F}) {
        for (const Vec3& vertex : {Vec3{wild, 2, 4}, Vec3{2, wild, 4}, Vec3{2, 2, wild}}) {
            const Vec3 polygon[3] = {FacingTriangle[0], vertex, FacingTriangle[2]};
            camera.DrawPolygon(polygon, Uvs, 3, RedTexture, PerspecCamera::Textured);
            camera.DrawPolygon(polygon, Uvs, 3, RedTexture, PerspecCamera::Wireframe);
        }
    }
    EXPECT_EQ(Count(Red) + Count(White), 0);
    const Vec3 far[3] = {FacingTriangle[0], {1e29F, 2, 8}, FacingTriangle[2]};
    camera.DrawPolygon(far, Uvs, 3, RedTexture, PerspecCamera::Textured);
    EXPECT_EQ(Pixels().Pixel(95, 30), Red);
    EXPECT_EQ(Pixels().Pixel(30, 70), Red);
    const Vec3 vast[3] = {{-2000, 2000, 4}, {2000, 2000, 4}, {-2000, -2000, 4}};
    camera.DrawPolygon(vast, Uvs, 3, RedTexture, PerspecCamera::Textured);
    EXPECT_EQ(Pixels().Pixel(5, 90), Red);
    EXPECT_EQ(Pixels().Pixel(90, 5), Red);
}

// Pitched 80 degrees the horizon lies far below or above the surface; straight up it has no
// place. Where it does lie, the perspective views' kept pictures show it.
TEST_F(PerspecCameraTest, AHorizonOffTheSurfaceIsNone) {
    for (const float sinX : {0.98F, -0.98F, 1.0F}) {
        camera.SetRotation(sinX, std::sqrt(1 - sinX * sinX), 0, 1, 0.3F, 0.95F);
        camera.UpdateObject();
        EXPECT_FALSE(camera.Horizon().has_value()) << sinX;
    }
}

TEST_F(PerspecCameraTest, AViewOfNoSizeDrawsNothingWithoutAReport) {
    // Sines and cosines at their bounds, and a view offset of either sign, are no misuse.
    camera.SetRotation(-1, 1, -1, 1, -1, 1);
    camera.SetLens(2, 2, 4, -7, 500);
    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{100, 0}, std::pair{0, 100}}) {
        camera.SetScreen(w, h);
        camera.UpdateObject();
        camera.DrawPolygon(FacingTriangle, Uvs, 3, RedTexture, PerspecCamera::Textured);
        camera.DrawPolygon(FacingTriangle, Uvs, 3, RedTexture, PerspecCamera::Wireframe);
        EXPECT_EQ(camera.GetSurface(), nullptr);
    }
    EXPECT_TRUE(ReadErrorLog().empty());
}
