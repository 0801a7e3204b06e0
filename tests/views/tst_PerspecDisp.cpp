#include "render/PerspecCamera.h"
#include "render/PerspecTextureEngine.h"
#include "support/ViewFixture.h"
#include "support/ViewPalette.h"
#include "views/PerspecDisp.h"

#include <cmath>
#include <cstring>
#include <tuple>
#include <utility>

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

bool SameSection(const PerspecDisp::Section& a, const PerspecDisp::Section& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

// The road is cut from the sample at or just before the camera, a camera on a sample starting one
// sample back, to the open end; a loop is cut round and round up to the most sections.
TEST_F(PerspecDispTest, SectionsRunFromTheSampleBeforeTheCamera) {
    AddSampledPoint(0, 0, 0, 2);
    AddSampledPoint(0, 0, 300, 2);
    AddSampledPoint(300, 0, 300, 2);
    PerspecDisp::Section all[PerspecDisp::MaxSections];
    ASSERT_EQ(PerspecDisp::CutSections(0, 0.0, all), 7); // segment 0's four samples, 1's last three
    // The camera's segment and place, and the first of all the sections cut from there.
    const std::tuple<int32_t, double, int> rows[] = {
        {0, 0.2, 0}, {0, 1.0 / 3.0, 0}, {0, 0.34, 1}, {0, 0.9, 2}, {1, 0.5, 4}};
    for (const auto& [segment, t, first] : rows) {
        PerspecDisp::Section sections[PerspecDisp::MaxSections];
        ASSERT_EQ(PerspecDisp::CutSections(segment, t, sections), 7 - first) << t;
        EXPECT_TRUE(SameSection(sections[0], all[first])) << segment << " " << t;
        EXPECT_TRUE(SameSection(sections[6 - first], all[6])) << segment << " " << t;
    }
    CourseData::SetLoop(1);
    EXPECT_EQ(PerspecDisp::CutSections(2, 0.0, all), PerspecDisp::MaxSections);
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
