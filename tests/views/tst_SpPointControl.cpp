#include "support/ViewFixture.h"
#include "views/SpPointControl.h"
#include "views/SpPointDisp.h"
#include "views/ToolPanel.h"

#include <vector>

using enum ToolPanel::Button;

namespace {

constexpr int Roll = SpPointDisp::GripRoll;
constexpr int Handle = SpPointDisp::GripHandle;

// Three points with point 1 (roll 0, an automatic slope) selected, seen by a front camera at zoom 1
// on a 260 x 200 surface: its roll point lies at (200, 100).
class SpPointControlTest : public CourseTest {
protected:
    void SetUp() override {
        CourseTest::SetUp();
        AddPoints({{0, 0, 0}, {100, 0, 0}, {200, 0, 50}});
        CourseData::SetRoll(0, 0.4);
        CourseData::SetHandle(1, CourseData::HandlePoint);
    }
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

    CameraControl camera = MakeViewCamera(CameraControl::Front, 260, 200);
};

} // namespace

// The roll point turns the roll by a hundredth per pixel down and leaves the slope automatic; the
// handle end changes the slope by a hundredth per pixel up and fixes it.
TEST_F(SpPointControlTest, EditDragsTurnTheRollOrChangeAndFixItsSlope) {
    int32_t fixed = 1;
    const double slope = SlopeOf(1, fixed);
    EXPECT_TRUE(SpPointControl::Drag(camera, EditTool, Roll, 10));
    EXPECT_TRUE(SpPointControl::Drag(camera, EditTool, Roll, -30));
    EXPECT_DOUBLE_EQ(RollOf(1), -0.2);
    EXPECT_DOUBLE_EQ(RollOf(0), 0.4);
    SlopeOf(1, fixed);
    EXPECT_EQ(fixed, 0);

    CourseData::SetRoll(1, 0.0);
    EXPECT_TRUE(SpPointControl::Drag(camera, EditTool, Handle, -20));
    EXPECT_DOUBLE_EQ(SlopeOf(1, fixed), slope + 0.2);
    EXPECT_EQ(fixed, 1);
    EXPECT_DOUBLE_EQ(RollOf(1), 0.0);
}

// Other tools, and edits without a selection, change nothing; the zoom tool then scales the dial
// from zoom 1 by a hundredth per pixel up.
TEST_F(SpPointControlTest, OtherToolsChangeNothingAndTheZoomToolScalesTheDial) {
    const std::vector<unsigned char> before = CourseData::SaveToBytes();
    for (int tool : {101, 102, 103, 104, 0}) { // sample count, width, loop, move, none
        EXPECT_FALSE(SpPointControl::Drag(camera, tool, Roll, 10)) << tool;
        EXPECT_FALSE(SpPointControl::Drag(camera, tool, Handle, 10)) << tool;
    }
    CourseData::SetHandle(-1, 0);
    EXPECT_FALSE(SpPointControl::Drag(camera, EditTool, Roll, 10));
    EXPECT_FALSE(SpPointControl::Drag(camera, EditTool, Handle, 10));
    CourseData::SetHandle(1, CourseData::HandlePoint);
    EXPECT_EQ(CourseData::SaveToBytes(), before);

    EXPECT_TRUE(SpPointControl::Drag(camera, CameraZoomTool, Roll, 10));
    EXPECT_DOUBLE_EQ(camera.GetZoom(), 0.9);
    EXPECT_TRUE(SpPointControl::Drag(camera, CameraZoomTool, Handle, -30));
    EXPECT_DOUBLE_EQ(camera.GetZoom(), 1.2);
}

TEST_F(SpPointControlTest, AnEditPressGripsWhatItHitsAndKeepsTheGripOnAMiss) {
    CourseData::SetRollTangent(1, 3.0, 1); // the handle's end at (206, 70)
    int grip = Roll;
    EXPECT_TRUE(SpPointControl::LeftPress(camera, EditTool, 206, 70, grip));
    EXPECT_EQ(grip, Handle);
    EXPECT_TRUE(SpPointControl::LeftPress(camera, EditTool, 10, 10, grip)); // a miss redraws
    EXPECT_EQ(grip, Handle);
    EXPECT_FALSE(SpPointControl::LeftPress(camera, CameraZoomTool, 200, 100, grip));
    EXPECT_EQ(grip, Handle);
    EXPECT_TRUE(SpPointControl::LeftPress(camera, EditTool, 200, 100, grip));
    EXPECT_EQ(grip, Roll);
}
