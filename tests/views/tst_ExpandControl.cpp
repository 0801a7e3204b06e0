#include "render/CameraControl.h"
#include "support/CourseTest.h"
#include "views/ExpandControl.h"
#include "views/ToolPanel.h"

#include <gtest/gtest.h>
#include <vector>

using enum ToolPanel::Button;

namespace {

// A straight course of two points 100 apart along z with widths 20, seen by views
// 200 x 160 at zoom 1 centred on the developed origin: point 0's edges lie at (80, 80) and
// (120, 80) in the top view, the point at (100, 80) in the side view.
class ExpandControlTest : public CourseTest {
protected:
    void SetUp() override {
        CourseTest::SetUp();
        AddPoints({{0, 0, 0}, {0, 0, 100}});
        top = MakeCamera(CameraControl::Top);
        side = MakeCamera(CameraControl::Side);
    }
    void TearDown() override { CourseTest::TearDown(); }

    static CameraControl MakeCamera(int32_t state) {
        CameraControl camera{};
        camera.Reset();
        camera.SetState(state);
        camera.SetScreen(200, 160);
        camera.SetZoom(1.0);
        return camera;
    }

    static void ExpectSelection(int32_t index, int32_t handleState) {
        int32_t selected = 0;
        int32_t state = 0;
        CourseData::GetHandle(selected, state);
        EXPECT_EQ(selected, index);
        EXPECT_EQ(state, handleState);
    }

    static std::array<double, 2> WidthTangentsOf(int index) {
        std::array<double, 2> h{};
        int32_t fixedA = 0;
        int32_t fixedB = 0;
        CourseData::GetWidthTangent(index, h[0], h[1], fixedA, fixedB);
        return h;
    }

    static std::array<int32_t, 2> WidthFixedOf(int index) {
        std::array<int32_t, 2> f{};
        CourseData::GetWidthTangentFixed(index, f[0], f[1]);
        return f;
    }

    CameraControl top{};
    CameraControl side{};
};

using Widths = std::array<double, 2>;
using Flags2 = std::array<int32_t, 2>;
using Flags3 = std::array<int32_t, 3>;

} // namespace

TEST_F(ExpandControlTest, MovingRightWidensSideBAndNarrowsSideA) {
    CourseData::SetHandle(0, CourseData::HandlePoint);
    CourseData::SetSide(1);
    EXPECT_TRUE(ExpandControl::Drag(top, EditTool, 10, 3));
    EXPECT_EQ(WidthsOf(0), (Widths{20.0, 28.0}));
    CourseData::SetSide(0);
    EXPECT_TRUE(ExpandControl::Drag(top, EditTool, 10, 0));
    EXPECT_TRUE(ExpandControl::Drag(top, EditTool, -5, 0));
    EXPECT_EQ(WidthsOf(0), (Widths{16.0, 28.0}));
    EXPECT_EQ(WidthsOf(1), (Widths{20.0, 20.0}));
    EXPECT_EQ(PositionOf(0).y, 0.0);
}

TEST_F(ExpandControlTest, WidthEditsAreStoredDividedByTheWidthScale) {
    CourseData::ChangeWidthScale(1.0); // scale 2: the widths show as 40
    CourseData::SetHandle(0, CourseData::HandlePoint);
    CourseData::SetSide(1);
    EXPECT_TRUE(ExpandControl::Drag(top, EditTool, 10, 0));
    EXPECT_EQ(WidthsOf(0), (Widths{40.0, 48.0}));
    CourseData::ChangeWidthScale(-1.0);
    EXPECT_EQ(WidthsOf(0), (Widths{20.0, 24.0}));
}

TEST_F(ExpandControlTest, WidthHandleDragsFixTheEditedSideOnly) {
    CourseData::SetHandle(0, CourseData::HandleForward);
    CourseData::SetSide(1);
    EXPECT_TRUE(ExpandControl::Drag(top, EditTool, 10, 0));
    EXPECT_EQ(WidthTangentsOf(0), (Widths{0.0, 8.0}));
    EXPECT_EQ(WidthFixedOf(0), (Flags2{0, 1}));
    // The backward end moves the other way.
    CourseData::SetHandle(0, CourseData::HandleBackward);
    EXPECT_TRUE(ExpandControl::Drag(top, EditTool, 5, 0));
    EXPECT_EQ(WidthTangentsOf(0), (Widths{0.0, 4.0}));
    CourseData::SetSide(0);
    CourseData::SetHandle(0, CourseData::HandleForward);
    EXPECT_TRUE(ExpandControl::Drag(top, EditTool, 10, 0));
    EXPECT_EQ(WidthTangentsOf(0), (Widths{-8.0, 4.0}));
    EXPECT_EQ(WidthFixedOf(0), (Flags2{1, 1}));
    EXPECT_EQ(WidthsOf(0), (Widths{20.0, 20.0}));
}

TEST_F(ExpandControlTest, SideViewDragsUpRaiseThePointAndTheHeightHandle) {
    CourseData::SetHandle(0, CourseData::HandlePoint);
    EXPECT_TRUE(ExpandControl::Drag(side, EditTool, 7, -10));
    const Vec3d moved = PositionOf(0);
    EXPECT_EQ(moved.x, 0.0);
    EXPECT_EQ(moved.y, 8.0);
    EXPECT_EQ(moved.z, 0.0);

    CourseData::SetHandle(1, CourseData::HandleForward);
    const Vec3d before = HandleOf(1);
    EXPECT_TRUE(ExpandControl::Drag(side, EditTool, 7, -10));
    EXPECT_EQ(HandleOf(1).y, before.y + 8.0);
    EXPECT_EQ(HandleOf(1).z, before.z);
    EXPECT_EQ(FixedFlagsOf(1), (Flags3{0, 1, 1}));
    CourseData::SetHandle(1, CourseData::HandleBackward);
    EXPECT_TRUE(ExpandControl::Drag(side, EditTool, 0, -5));
    EXPECT_EQ(HandleOf(1).y, before.y + 4.0);
}

TEST_F(ExpandControlTest, ToolsThatDoNotEditLeaveTheCourseAlone) {
    CourseData::SetHandle(0, CourseData::HandlePoint);
    const std::vector<unsigned char> course = CourseData::SaveToBytes();
    EXPECT_TRUE(ExpandControl::Drag(top, WidthTool, 4, 9)); // redraws all the same
    EXPECT_TRUE(ExpandControl::Drag(side, WidthTool, 4, 9));
    EXPECT_FALSE(ExpandControl::Drag(top, SampleTool, 0, 9));
    EXPECT_FALSE(ExpandControl::Drag(side, LoopButton, 0, 9));
    EXPECT_FALSE(ExpandControl::Drag(top, 99, 0, 9));
    CourseData::SetHandle(-1, 0);
    EXPECT_FALSE(ExpandControl::Drag(top, EditTool, 5, 5));
    EXPECT_FALSE(ExpandControl::Drag(side, EditTool, 5, 5));
    CourseData::SetHandle(0, CourseData::HandlePoint);
    EXPECT_EQ(CourseData::SaveToBytes(), course);
}

TEST_F(ExpandControlTest, PanningFollowsTheMouseAlongTheCourseOnly) {
    top.SetZoom(2.0);
    side.SetZoom(2.0);
    EXPECT_TRUE(ExpandControl::Drag(top, CameraMoveTool, 6, 10));
    EXPECT_TRUE(ExpandControl::Drag(side, CameraMoveTool, 10, 6));
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double zoom = 0.0;
    top.GetCamera(x, y, z, zoom);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(z, 5.0);
    side.GetCamera(x, y, z, zoom);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(z, -5.0);
}

TEST_F(ExpandControlTest, ZoomFollowsVerticalMovesWithinTheCamerasLimits) {
    EXPECT_TRUE(ExpandControl::Drag(top, CameraZoomTool, 30, 10));
    EXPECT_DOUBLE_EQ(top.GetZoom(), 0.9);
    EXPECT_TRUE(ExpandControl::Drag(side, CameraZoomTool, 0, -100000));
    EXPECT_EQ(side.GetZoom(), 300.0);
    EXPECT_TRUE(ExpandControl::Drag(side, CameraZoomTool, 0, 100000));
    EXPECT_EQ(side.GetZoom(), 0.01);
}

TEST_F(ExpandControlTest, AClickSelectsAnEdgeWithItsSideOrAHandleEnd) {
    CourseData::SetHandle(-1, 0);
    EXPECT_TRUE(ExpandControl::LeftRelease(top, EditTool, 121, 79, false));
    ExpectSelection(0, CourseData::HandlePoint);
    EXPECT_EQ(CourseData::GetSide(), 1);
    EXPECT_TRUE(ExpandControl::LeftRelease(top, EditTool, 80, 80, false));
    EXPECT_EQ(CourseData::GetSide(), 0);
    // Side A's width handle: ends at (80, 40) and (80, 120).
    EXPECT_TRUE(ExpandControl::LeftRelease(top, EditTool, 80, 120, false));
    ExpectSelection(0, CourseData::HandleBackward);
    EXPECT_TRUE(ExpandControl::LeftRelease(top, EditTool, 80, 40, false));
    ExpectSelection(0, CourseData::HandleForward);

    // The side view's height handle of point 0: ends at (130, 80) and (70, 80).
    EXPECT_TRUE(ExpandControl::LeftRelease(side, EditTool, 70, 80, false));
    ExpectSelection(0, CourseData::HandleBackward);
    EXPECT_TRUE(ExpandControl::LeftRelease(side, EditTool, 100, 80, false));
    ExpectSelection(0, CourseData::HandlePoint);
    EXPECT_TRUE(ExpandControl::LeftRelease(side, EditTool, 130, 80, false));
    ExpectSelection(0, CourseData::HandleForward);
}

TEST_F(ExpandControlTest, NoClickOnEmptySpaceAfterADragOrWithAnotherToolSelects) {
    CourseData::SetHandle(-1, 0);
    const std::vector<unsigned char> course = CourseData::SaveToBytes();
    EXPECT_FALSE(ExpandControl::LeftRelease(top, EditTool, 150, 150, false));
    EXPECT_FALSE(ExpandControl::LeftRelease(side, EditTool, 150, 30, false));
    EXPECT_FALSE(ExpandControl::LeftRelease(top, EditTool, 120, 80, true));
    EXPECT_FALSE(ExpandControl::LeftRelease(side, EditTool, 100, 80, true));
    EXPECT_FALSE(ExpandControl::LeftRelease(top, SampleTool, 120, 80, false));
    EXPECT_FALSE(ExpandControl::LeftRelease(side, CameraMoveTool, 100, 80, false));
    EXPECT_EQ(CourseData::GetPointNum(), 2);
    EXPECT_EQ(CourseData::SaveToBytes(), course);
}

TEST_F(ExpandControlTest, ARightPressOnAHeightHandleEndFreesItsYTangent) {
    CourseData::SetTangent(0, 0.0, 50.0, 100.0, 1, 1, 0);
    CourseData::SetHandle(0, CourseData::HandlePoint);
    EXPECT_FALSE(ExpandControl::RightPress(side, EditTool, 100, 80)); // the point itself
    EXPECT_FALSE(ExpandControl::RightPress(side, CameraMoveTool, 130, 65));
    EXPECT_EQ(FixedFlagsOf(0), (Flags3{1, 1, 0}));
    // Ends at (100 ± 30, 80 ∓ 15).
    EXPECT_TRUE(ExpandControl::RightPress(side, EditTool, 130, 65));
    EXPECT_EQ(FixedFlagsOf(0), (Flags3{1, 0, 0}));
}

// The width handle that was clicked becomes automatic; the height handle keeps its state.
TEST_F(ExpandControlTest, ARightPressOnAWidthHandleEndFreesThatWidthTangent) {
    CourseData::SetWidthTangent(0, 4.0, 6.0, 1, 1);
    CourseData::SetTangent(0, 0.0, 50.0, 100.0, 0, 1, 1);
    CourseData::SetHandle(0, CourseData::HandlePoint);
    CourseData::SetSide(1);
    EXPECT_FALSE(ExpandControl::RightPress(top, EditTool, 120, 80)); // the edge itself
    EXPECT_FALSE(ExpandControl::RightPress(top, EditTool, 76, 40));  // side A's handle
    EXPECT_TRUE(ExpandControl::RightPress(top, EditTool, 114, 120)); // side B, end behind
    EXPECT_EQ(WidthFixedOf(0), (Flags2{1, 0}));
    EXPECT_EQ(WidthTangentsOf(0)[0], 4.0);
    EXPECT_EQ(FixedFlagsOf(0), (Flags3{0, 1, 1}));
}
