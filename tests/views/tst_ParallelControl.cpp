#include "support/ViewFixture.h"
#include "views/ParallelControl.h"
#include "views/ToolPanel.h"

#include <array>

using enum ToolPanel::Button;

using namespace ParallelControl;

namespace {

// The world axes (0 x, 1 y, 2 z) that run right and up on each view's screen.
struct ViewAxes {
    int state;
    int right;
    int up;
    int depth;
};

constexpr std::array<ViewAxes, 3> Views{{
    {CameraControl::Top, 0, 2, 1},
    {CameraControl::Side, 2, 1, 0},
    {CameraControl::Front, 0, 1, 2},
}};

std::array<double, 3> Array(const Vec3d& v) {
    return {v.x, v.y, v.z};
}

// A 200 x 150 view with the world origin at its centre.
CameraControl Look(int state, double zoom = 1.0) {
    return MakeViewCamera(state, 200, 150, zoom);
}

using ParallelControlTest = CourseTest;

} // namespace

// 0.8 world units per pixel at any zoom along the view's screen axes, the depth kept: the point
// itself, or its handle, whose screen axes become fixed while the depth axis keeps its property;
// the backward end moves the handle the other way.
TEST_F(ParallelControlTest, EditDragsMoveThePointOrItsHandleEightTenthsOfAUnitPerPixel) {
    for (const ViewAxes& view : Views) {
        for (const int32_t grip :
             {CourseData::HandlePoint, CourseData::HandleForward, CourseData::HandleBackward}) {
            CourseData::NewCourse();
            AddPoints({{10, 20, 30}, {100, 10, 50}});
            std::array<int32_t, 3> fixed{0, 0, 0};
            fixed[view.depth] = grip == CourseData::HandleForward ? 1 : 0;
            CourseData::SetTangentFixed(0, fixed[0], fixed[1], fixed[2]);
            const auto point = Array(PositionOf(0));
            const auto handle = Array(HandleOf(0));
            CourseData::SetHandle(0, grip);
            CameraControl camera = Look(view.state, grip == CourseData::HandleForward ? 7.0 : 0.05);
            EXPECT_TRUE(Drag(camera, EditTool, 10, 5));
            const bool moved = grip == CourseData::HandlePoint;
            const auto before = moved ? point : handle;
            const auto after = Array(moved ? PositionOf(0) : HandleOf(0));
            const double sign = grip == CourseData::HandleBackward ? -1.0 : 1.0;
            SCOPED_TRACE(testing::Message() << "state " << view.state << " grip " << grip);
            EXPECT_DOUBLE_EQ(after[view.right], before[view.right] + sign * 8.0);
            EXPECT_DOUBLE_EQ(after[view.up], before[view.up] - sign * 4.0);
            EXPECT_EQ(after[view.depth], before[view.depth]);
            if (!moved) {
                EXPECT_EQ(Array(PositionOf(0)), point);
                fixed[view.right] = 1;
                fixed[view.up] = 1;
            }
            EXPECT_EQ(FixedFlagsOf(0), fixed);
        }
    }
    CourseData::SetHandle(-1, CourseData::HandlePoint);
    CameraControl camera = Look(CameraControl::Top);
    EXPECT_FALSE(Drag(camera, EditTool, 10, 5));
}

// The world point under the mouse stays under it as the mouse moves.
TEST_F(ParallelControlTest, PanningFollowsTheMouseExactlyAtAnyZoom) {
    for (const ViewAxes& view : Views) {
        for (double zoom : {0.01, 0.37, 250.0}) {
            CameraControl camera = Look(view.state, zoom);
            Vec3d before{};
            camera.ScreenToWorld(40, 30, before);
            EXPECT_TRUE(Drag(camera, CameraMoveTool, 13, -7));
            Vec3d after{};
            camera.ScreenToWorld(40 + 13, 30 - 7, after);
            EXPECT_NEAR(after.x, before.x, 1e-9 / zoom) << view.state << " " << zoom;
            EXPECT_NEAR(after.y, before.y, 1e-9 / zoom) << view.state << " " << zoom;
            EXPECT_NEAR(after.z, before.z, 1e-9 / zoom) << view.state << " " << zoom;
        }
    }
    EXPECT_EQ(CourseData::IsChanged(), 0);
}

// The edit tool picks a point, then a handle end, else adds a point, but not after a drag; the
// sample tool picks on a click only, but redraws either way.
TEST_F(ParallelControlTest, EditClicksPickOrAddAPointAndSampleClicksOnlyPick) {
    const CameraControl camera = Look(CameraControl::Top);
    EXPECT_TRUE(LeftRelease(camera, EditTool, 130, 65, false));
    EXPECT_TRUE(LeftRelease(camera, EditTool, 60, 75, false));
    ASSERT_EQ(CourseData::GetPointNum(), 2);
    EXPECT_EQ(PositionOf(0).x, 30.0);
    EXPECT_EQ(PositionOf(0).z, 10.0);
    EXPECT_EQ(SelectedPoint(), 1);
    EXPECT_FALSE(LeftRelease(camera, EditTool, 100, 100, true));
    EXPECT_TRUE(LeftRelease(camera, EditTool, 131, 66, false));
    EXPECT_EQ(SelectedPoint(), 0);
    CourseData::SetTangent(0, 0, 0, 100, 1, 1, 1);
    EXPECT_TRUE(LeftRelease(camera, EditTool, 130, 95, false));
    EXPECT_EQ(SelectionOf(), std::pair(0, CourseData::HandleBackward));

    EXPECT_TRUE(LeftRelease(camera, SampleTool, 60, 75, true));
    EXPECT_EQ(SelectedPoint(), 0);
    EXPECT_TRUE(LeftRelease(camera, SampleTool, 60, 75, false));
    EXPECT_EQ(SelectedPoint(), 1);
    EXPECT_FALSE(LeftRelease(camera, WidthTool, 40, 40, false));
    EXPECT_EQ(CourseData::GetPointNum(), 2);
}

TEST_F(ParallelControlTest, RightPressesDeleteAPointOrFreeAHandleAndAlwaysRedraw) {
    const CameraControl camera = Look(CameraControl::Top);
    AddPoints({{0, 0, 0}, {50, 0, 0}, {-50, 0, 0}});
    CourseData::SetTangent(0, 0, 0, 100, 1, 1, 1);
    CourseData::SetHandle(0, CourseData::HandlePoint);
    EXPECT_FALSE(RightPress(camera, WidthTool, 100, 75));
    EXPECT_TRUE(RightPress(camera, EditTool, 100, 45)); // the forward handle end
    EXPECT_EQ(FixedFlagsOf(0), (std::array<int32_t, 3>{0, 0, 0}));
    EXPECT_TRUE(RightPress(camera, EditTool, 20, 20)); // nothing there
    EXPECT_EQ(CourseData::GetPointNum(), 3);
    EXPECT_TRUE(RightPress(camera, EditTool, 151, 74));
    EXPECT_EQ(CourseData::GetPointNum(), 2);
    EXPECT_EQ(SelectedPoint(), -1);
}
