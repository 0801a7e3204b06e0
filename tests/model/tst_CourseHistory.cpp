#include "model/CourseHistory.h"
#include "support/CourseTest.h"

namespace {

class CourseHistoryTest : public CourseTest {
protected:
    void SetUp() override {
        CourseTest::SetUp();
        AddPoints({{0, 0, 0}, {100, 0, 0}, {100, 0, 100}});
        history.Reset(true);
    }

    // Moves the last point by `dx` in as many small moves as a drag makes, then commits.
    bool DragLastPoint(double dx) {
        const Vec3d p = PositionOf(2);
        for (int i = 1; i <= 10; ++i) {
            CourseData::SetPosition(2, p.x + dx * i / 10, p.y, p.z);
        }
        return history.Commit();
    }

    CourseHistory history;
};

// The mark is cleared exactly at the step the file holds, while that step is reachable:
// an edit after undoing drops the undone steps, and with them a saved one.
TEST_F(CourseHistoryTest, TheChangedMarkFollowsTheSavedStep) {
    ASSERT_TRUE(DragLastPoint(10));
    ASSERT_TRUE(DragLastPoint(10));
    history.Undo();
    EXPECT_EQ(CourseData::IsChanged(), 1);
    history.Undo();
    EXPECT_EQ(CourseData::IsChanged(), 0);
    EXPECT_FALSE(history.CanUndo());
    history.Redo();
    EXPECT_EQ(CourseData::IsChanged(), 1);

    ASSERT_EQ(CourseData::Save("saved.cus"), 0);
    history.MarkSaved();
    history.Redo();
    EXPECT_EQ(CourseData::IsChanged(), 1);
    history.Undo();
    EXPECT_EQ(CourseData::IsChanged(), 0);

    history.Undo();
    ASSERT_TRUE(DragLastPoint(-10));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.GetStepNum(), 2U);
    history.Undo();
    EXPECT_EQ(PositionOf(2).x, 100);
    EXPECT_EQ(CourseData::IsChanged(), 1); // the opened step is not what the file holds
    history.Redo();
    EXPECT_EQ(CourseData::IsChanged(), 1);

    history.Reset(false); // a course brought back from a recovery copy
    EXPECT_FALSE(history.CanUndo());
    ASSERT_TRUE(DragLastPoint(1));
    history.Undo();
    EXPECT_EQ(CourseData::IsChanged(), 1);
}

TEST_F(CourseHistoryTest, TheOldestStepsGoBeyondTheBound) {
    for (std::size_t i = 0; i < CourseHistory::MaxSteps; ++i) {
        ASSERT_TRUE(DragLastPoint(1));
    }
    EXPECT_EQ(history.GetStepNum(), CourseHistory::MaxSteps);
    int undone = 0;
    while (history.CanUndo()) {
        history.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, static_cast<int>(CourseHistory::MaxSteps) - 1);
    EXPECT_EQ(PositionOf(2).x, 101);
    // The opened course went with the oldest step.
    EXPECT_EQ(CourseData::IsChanged(), 1);
}

// Undo tells the loop button, gives back the selection the step last had, and leaves the
// driver's camera where it is while that place lies on the course.
TEST_F(CourseHistoryTest, UndoKeepsTheDriversCameraAndGivesBackTheSelection) {
    static int32_t told = -1;
    CourseData::ConnectLoopStateHook([](int32_t loop) { told = loop; });
    CourseData::SetHandle(0, CourseData::HandleForward);
    CourseData::SetSide(1);
    EXPECT_FALSE(history.Commit()); // a selection is no step
    CourseData::SetLoop(1);
    ASSERT_TRUE(history.Commit());
    CourseData::MoveCameraPosition(2.5); // onto the closing segment
    history.Undo();
    EXPECT_EQ(told, 0);
    int32_t segment = 0;
    double t = 0.0;
    ASSERT_EQ(CourseData::GetCameraPosition(segment, t), 0);
    EXPECT_EQ(segment, 0); // the closing segment is gone with the loop
    int32_t selected = 0;
    int32_t handle = 0;
    CourseData::GetHandle(selected, handle);
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(handle, CourseData::HandleForward);
    EXPECT_EQ(CourseData::GetSide(), 1);

    history.Redo();
    EXPECT_EQ(told, 1);
    CourseData::MoveCameraPosition(1.25);
    history.Undo();
    ASSERT_EQ(CourseData::GetCameraPosition(segment, t), 0);
    EXPECT_EQ(segment, 1);
    EXPECT_DOUBLE_EQ(t, 0.25);
}

} // namespace
