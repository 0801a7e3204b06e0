#include "render/CameraControl.h"
#include "support/CourseTest.h"
#include "views/SpPointControl.h"
#include "views/SpPointDisp.h"
#include "views/ToolPanel.h"

#include <vector>

using enum ToolPanel::Button;

namespace {

constexpr int Edit = 100;
constexpr int CameraZoom = 105;
constexpr int Roll = SpPointDisp::GripRoll;
constexpr int Handle = SpPointDisp::GripHandle;

// Three points with point 1 (roll 0, an automatic slope) selected, seen by a front camera
// at zoom 1 on a 260 x 200 surface: its roll point lies at (200, 100).
class SpPointControlTest : public CourseTest {
protected:
    void SetUp() override {
        CourseTest::SetUp();
        AddPoints({{0, 0, 0}, {100, 0, 0}, {200, 0, 50}});
        CourseData::SetRoll(0, 0.4);
        CourseData::SetHandle(1, 0);
        camera.Reset();
        camera.SetState(CameraControl::Front);
        camera.SetScreen(260, 200);
        camera.SetZoom(1.0);
    }
    void TearDown() override { CourseTest::TearDown(); }
    static double RollOf(int index) {
        double roll = 0.0;
        CourseData::GetRoll(index, roll);
        return roll;
    }
    static double SlopeOf(int index, int32_t& fixed) {
        double slope = 0.0;
        fixed = CourseData::GetRollTangent(index, slope);
        return slope;
    }

    CameraControl camera;
};

} // namespace

TEST_F(SpPointControlTest, DraggingTheRollPointTurnsTheRollByAHundredthPerPixel) {
    EXPECT_TRUE(SpPointControl::Drag(camera, Edit, Roll, 10));
    EXPECT_TRUE(SpPointControl::Drag(camera, Edit, Roll, -30));
    EXPECT_DOUBLE_EQ(RollOf(1), -0.2);
    EXPECT_DOUBLE_EQ(RollOf(0), 0.4);
    int32_t fixed = 1;
    SlopeOf(1, fixed);
    EXPECT_EQ(fixed, 0); // the slope stays automatic
}

TEST_F(SpPointControlTest, DraggingTheHandleEndChangesAndFixesTheSlope) {
    int32_t fixed = 1;
    const double slope = SlopeOf(1, fixed);
    ASSERT_EQ(fixed, 0);
    EXPECT_TRUE(SpPointControl::Drag(camera, Edit, Handle, -20));
    EXPECT_DOUBLE_EQ(SlopeOf(1, fixed), slope + 0.2);
    EXPECT_EQ(fixed, 1);
    EXPECT_DOUBLE_EQ(RollOf(1), 0.0);
}

TEST_F(SpPointControlTest, TheZoomToolScalesTheDialWithinTheCamerasLimits) {
    EXPECT_TRUE(SpPointControl::Drag(camera, CameraZoom, Roll, 10));
    EXPECT_DOUBLE_EQ(camera.GetZoom(), 0.9);
    SpPointControl::Drag(camera, CameraZoom, Roll, 1000);
    EXPECT_DOUBLE_EQ(camera.GetZoom(), 0.01);
    SpPointControl::Drag(camera, CameraZoom, Roll, -100000);
    EXPECT_DOUBLE_EQ(camera.GetZoom(), 300.0);
}

TEST_F(SpPointControlTest, OtherToolsAndDragsWithoutASelectionChangeNothing) {
    const std::vector<unsigned char> before = CourseData::SaveToBytes();
    for (int tool : {101, 102, 103, 104, 0}) { // sample count, width, loop, move, none
        EXPECT_FALSE(SpPointControl::Drag(camera, tool, Roll, 10)) << tool;
        EXPECT_FALSE(SpPointControl::Drag(camera, tool, Handle, 10)) << tool;
    }
    CourseData::SetHandle(-1, 0);
    EXPECT_FALSE(SpPointControl::Drag(camera, Edit, Roll, 10));
    EXPECT_FALSE(SpPointControl::Drag(camera, Edit, Handle, 10));
    CourseData::SetHandle(1, 0);
    EXPECT_EQ(CourseData::SaveToBytes(), before);
    EXPECT_DOUBLE_EQ(camera.GetZoom(), 1.0);
}

TEST_F(SpPointControlTest, AnEditPressGripsWhatItHitsAndKeepsTheGripOnAMiss) {
    CourseData::SetRollTangent(1, 3.0, 1); // the handle's end at (206, 70)
    int grip = Roll;
    EXPECT_TRUE(SpPointControl::LeftPress(camera, Edit, 206, 70, grip));
    EXPECT_EQ(grip, Handle);
    EXPECT_TRUE(SpPointControl::LeftPress(camera, Edit, 10, 10, grip)); // a miss still redraws
    EXPECT_EQ(grip, Handle);
    EXPECT_FALSE(SpPointControl::LeftPress(camera, CameraZoom, 200, 100, grip));
    EXPECT_EQ(grip, Handle);
    EXPECT_TRUE(SpPointControl::LeftPress(camera, Edit, 200, 100, grip));
    EXPECT_EQ(grip, Roll);
}
