#include "support/ViewFixture.h"
#include "views/ExpandControl.h"
#include "views/ToolPanel.h"

#include <gtest/gtest.h>
#include <vector>

using enum ToolPanel::Button;

namespace {

using Widths = std::array<double, 2>;
using Flags2 = std::array<int32_t, 2>;
using Flags3 = std::array<int32_t, 3>;

// A straight course of two points 100 apart along z with widths 20, seen by views 200 x 160 at zoom
// 1 centred on the developed origin: point 0's edges lie at (80, 80) and (120, 80) in the top view,
// the point at (100, 80) in the side view.
class ExpandControlTest : public CourseTest {
protected:
    void SetUp() override {
        CourseTest::SetUp();
        AddPoints({{0, 0, 0}, {0, 0, 100}});
    }

    static Widths WidthTangentsOf(int index) {
        Widths h{};
        int32_t fixedA = 0;
        int32_t fixedB = 0;
        CourseData::GetWidthTangent(index, h[0], h[1], fixedA, fixedB);
        return h;
    }

    static Flags2 WidthFixedOf(int index) {
        Flags2 f{};
        CourseData::GetWidthTangentFixed(index, f[0], f[1]);
        return f;
    }

    CameraControl top = MakeViewCamera(CameraControl::Top, 200, 160);
    CameraControl side = MakeViewCamera(CameraControl::Side, 200, 160);
};

} // namespace

// Each drag from the fresh course, 0.8 units per pixel whatever the zoom. In the top view moving
// right widens side B and narrows side A, and a width handle's end fixes the edited side's tangent
// only; in the side view moving up raises the point or its height handle, whose y and z tangents
// become fixed. The end behind moves a handle the other way.
TEST_F(ExpandControlTest, EditDragsChangeTheSelectedWidthHeightOrHandle) {
    const std::vector<unsigned char> fresh = CourseData::SaveToBytes();
    const struct {
        bool inTop;
        int32_t grip, side;
        int dx, dy;
        Widths widths, widthTangents;
        Flags2 widthFixed;
        double height, handleY;
        Flags3 fixed;
    } rows[] = {
        {true, CourseData::HandlePoint, 1, 10, 3, {20, 28}, {0, 0}, {0, 0}, 0, 0, {0, 0, 0}},
        {true, CourseData::HandlePoint, 0, 5, 0, {16, 20}, {0, 0}, {0, 0}, 0, 0, {0, 0, 0}},
        {true, CourseData::HandleForward, 1, 10, 0, {20, 20}, {0, 8}, {0, 1}, 0, 0, {0, 0, 0}},
        {true, CourseData::HandleBackward, 1, 5, 0, {20, 20}, {0, -4}, {0, 1}, 0, 0, {0, 0, 0}},
        {true, CourseData::HandleForward, 0, 10, 0, {20, 20}, {-8, 0}, {1, 0}, 0, 0, {0, 0, 0}},
        {false, CourseData::HandlePoint, 0, 7, -10, {20, 20}, {0, 0}, {0, 0}, 8, 0, {0, 0, 0}},
        {false, CourseData::HandleForward, 0, 7, -10, {20, 20}, {0, 0}, {0, 0}, 0, 8, {0, 1, 1}},
        {false, CourseData::HandleBackward, 0, 0, -5, {20, 20}, {0, 0}, {0, 0}, 0, -4, {0, 1, 1}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message()
                     << (r.inTop ? "top" : "side") << " grip " << r.grip << " side " << r.side);
        ASSERT_EQ(CourseData::LoadFromBytes(fresh), 0);
        CourseData::SetHandle(0, r.grip);
        CourseData::SetSide(r.side);
        EXPECT_TRUE(ExpandControl::Drag(r.inTop ? top : side, EditTool, r.dx, r.dy));
        EXPECT_EQ(WidthsOf(0), r.widths);
        EXPECT_EQ(WidthFixedOf(0), r.widthFixed);
        EXPECT_EQ(PositionOf(0).y, r.height);
        EXPECT_EQ(FixedFlagsOf(0), r.fixed);
        EXPECT_EQ(WidthsOf(1), (Widths{20, 20}));
        // Automatic handles follow what a point drag changed; a gripped one takes the drag.
        if (r.grip != CourseData::HandlePoint && r.inTop) {
            EXPECT_EQ(WidthTangentsOf(0), r.widthTangents);
        } else if (r.grip != CourseData::HandlePoint) {
            EXPECT_EQ(HandleOf(0).y, r.handleY);
        }
    }
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

// Panning follows the mouse along the course only (the window tests measure how far); zooming
// follows vertical moves.
TEST_F(ExpandControlTest, PanningAndZoomingFollowTheMouse) {
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
    side.GetCamera(x, y, z, zoom);
    EXPECT_EQ(y, 0.0);

    EXPECT_TRUE(ExpandControl::Drag(top, CameraZoomTool, 30, 10));
    EXPECT_DOUBLE_EQ(top.GetZoom(), 1.9);
    EXPECT_TRUE(ExpandControl::Drag(side, CameraZoomTool, 0, -50));
    EXPECT_DOUBLE_EQ(side.GetZoom(), 2.5);
}

// In turn: clicks that select nothing (on empty space, after a drag, with another tool), then
// clicks that select an edge with its side or a handle end. Side A's width handle ends lie at (80,
// 40) and (80, 120); the side view's height handle of point 0 at (130, 80) and (70, 80).
TEST_F(ExpandControlTest, AClickSelectsAnEdgeWithItsSideOrAHandleEnd) {
    CourseData::SetHandle(-1, 0);
    const std::vector<unsigned char> course = CourseData::SaveToBytes();
    const struct {
        bool inTop;
        int tool, x, y;
        bool dragged;
        int32_t index, state, side;
    } rows[] = {
        {true, EditTool, 150, 150, false, -1, 0, 0},
        {false, EditTool, 150, 30, false, -1, 0, 0},
        {true, EditTool, 120, 80, true, -1, 0, 0},
        {false, EditTool, 100, 80, true, -1, 0, 0},
        {true, SampleTool, 120, 80, false, -1, 0, 0},
        {false, CameraMoveTool, 100, 80, false, -1, 0, 0},
        {true, EditTool, 121, 79, false, 0, CourseData::HandlePoint, 1},
        {true, EditTool, 80, 80, false, 0, CourseData::HandlePoint, 0},
        {true, EditTool, 80, 120, false, 0, CourseData::HandleBackward, 0},
        {true, EditTool, 80, 40, false, 0, CourseData::HandleForward, 0},
        {false, EditTool, 70, 80, false, 0, CourseData::HandleBackward, 0},
        {false, EditTool, 100, 80, false, 0, CourseData::HandlePoint, 0},
        {false, EditTool, 130, 80, false, 0, CourseData::HandleForward, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << (r.inTop ? "top " : "side ") << r.x << ", " << r.y);
        const bool selects = r.index != -1;
        EXPECT_EQ(ExpandControl::LeftRelease(r.inTop ? top : side, r.tool, r.x, r.y, r.dragged),
                  selects);
        if (!selects) {
            EXPECT_EQ(CourseData::SaveToBytes(), course);
        }
        EXPECT_EQ(SelectionOf(), std::pair(r.index, r.state));
        EXPECT_EQ(CourseData::GetSide(), r.side);
    }
}

// A height handle's end frees the y tangent; a width handle's end frees that side's width tangent
// and leaves the height handle alone. Points, edges and other tools free nothing.
TEST_F(ExpandControlTest, ARightPressOnAHandleEndFreesThatHandle) {
    CourseData::SetTangent(0, 0.0, 50.0, 100.0, 1, 1, 0);
    CourseData::SetHandle(0, CourseData::HandlePoint);
    EXPECT_FALSE(ExpandControl::RightPress(side, EditTool, 100, 80)); // the point itself
    EXPECT_FALSE(ExpandControl::RightPress(side, CameraMoveTool, 130, 65));
    EXPECT_EQ(FixedFlagsOf(0), (Flags3{1, 1, 0}));
    // Ends at (100 ± 30, 80 ∓ 15).
    EXPECT_TRUE(ExpandControl::RightPress(side, EditTool, 130, 65));
    EXPECT_EQ(FixedFlagsOf(0), (Flags3{1, 0, 0}));

    CourseData::SetWidthTangent(0, 4.0, 6.0, 1, 1);
    CourseData::SetTangent(0, 0.0, 50.0, 100.0, 0, 1, 1);
    CourseData::SetSide(1);
    EXPECT_FALSE(ExpandControl::RightPress(top, EditTool, 120, 80)); // the edge itself
    EXPECT_FALSE(ExpandControl::RightPress(top, EditTool, 76, 40));  // side A's handle
    EXPECT_TRUE(ExpandControl::RightPress(top, EditTool, 114, 120)); // side B, end behind
    EXPECT_EQ(WidthFixedOf(0), (Flags2{1, 0}));
    EXPECT_EQ(WidthTangentsOf(0)[0], 4.0);
    EXPECT_EQ(FixedFlagsOf(0), (Flags3{0, 1, 1}));
}
