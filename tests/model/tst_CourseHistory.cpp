#include "model/CourseHistory.h"
#include "support/CourseTest.h"

#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

class CourseHistoryTest : public CourseTest {
protected:
    void SetUp() override {
        CourseTest::SetUp();
        AddPoints({{0, 0, 0}, {100, 0, 0}, {100, 0, 100}});
        history.Reset(true);
    }

    // Moves the last point by `dx` in as many small moves as a drag makes, then commits.
    bool DragLastPoint(double dx) {
        const int last = CourseData::GetPointNum() - 1;
        const Vec3d p = PositionOf(last);
        for (int i = 1; i <= 10; ++i) {
            CourseData::SetPosition(last, p.x + dx * i / 10, p.y, p.z);
        }
        return history.Commit();
    }

    CourseHistory history;
};

TEST_F(CourseHistoryTest, EachCommittedChangeIsOneStepThatUndoAndRedoReplay) {
    const Bytes opened = CourseData::SaveToBytes();
    EXPECT_FALSE(history.Commit());
    EXPECT_FALSE(history.CanUndo());

    ASSERT_TRUE(DragLastPoint(50));
    const Bytes dragged = CourseData::SaveToBytes();
    CourseData::AddPoint(0, 0, 100);
    ASSERT_TRUE(history.Commit());
    const Bytes added = CourseData::SaveToBytes();
    // The selection, the side and the driver's camera are not the course.
    CourseData::SetHandle(0, CourseData::HandleForward);
    CourseData::SetSide(1);
    CourseData::MoveCameraPosition(0.5);
    EXPECT_FALSE(history.Commit());
    CourseData::MoveCameraPosition(-0.5);
    CourseData::ChangeWidthScale(0.5);
    ASSERT_TRUE(history.Commit());
    EXPECT_EQ(history.GetStepNum(), 4U);

    history.Undo();
    EXPECT_EQ(CourseData::GetWidthScale(), 1.0);
    // Back at a step with the editing state it had when last committed.
    const Bytes now = CourseData::SaveToBytes();
    EXPECT_EQ(Bytes(now.begin() + 36, now.end()), Bytes(added.begin() + 36, added.end()));
    int32_t selected = 0;
    int32_t handle = 0;
    CourseData::GetHandle(selected, handle);
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(handle, CourseData::HandleForward);
    EXPECT_EQ(CourseData::GetSide(), 1);
    history.Undo();
    EXPECT_EQ(CourseData::SaveToBytes(), dragged);
    history.Undo();
    EXPECT_EQ(CourseData::SaveToBytes(), opened);
    EXPECT_FALSE(history.CanUndo());
    history.Undo();
    EXPECT_EQ(CourseData::SaveToBytes(), opened);

    history.Redo();
    EXPECT_EQ(CourseData::SaveToBytes(), dragged);
    history.Redo();
    history.Redo();
    EXPECT_EQ(CourseData::GetWidthScale(), 1.5);
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(CourseHistoryTest, ACommitAfterUndoDropsTheUndoneSteps) {
    ASSERT_TRUE(DragLastPoint(50));
    ASSERT_TRUE(DragLastPoint(50));
    history.Undo();
    history.Undo();
    ASSERT_TRUE(DragLastPoint(-30));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.GetStepNum(), 2U);
    history.Undo();
    EXPECT_EQ(PositionOf(2).x, 100);
}

// The mark is cleared exactly at the step the file holds, while that step is reachable.
TEST_F(CourseHistoryTest, TheChangedMarkFollowsTheSavedStep) {
    ASSERT_TRUE(DragLastPoint(10));
    ASSERT_TRUE(DragLastPoint(10));
    EXPECT_EQ(CourseData::IsChanged(), 1);
    history.Undo();
    EXPECT_EQ(CourseData::IsChanged(), 1);
    history.Undo();
    EXPECT_EQ(CourseData::IsChanged(), 0);
    history.Redo();
    EXPECT_EQ(CourseData::IsChanged(), 1);

    ASSERT_EQ(CourseData::Save("saved.cus"), 0);
    history.MarkSaved();
    history.Redo();
    EXPECT_EQ(CourseData::IsChanged(), 1);
    history.Undo();
    EXPECT_EQ(CourseData::IsChanged(), 0);

    // Undone and replaced by another edit, the saved step can never come back, and the
    // opened step is no longer what the file holds.
    history.Undo();
    ASSERT_TRUE(DragLastPoint(-10));
    history.Undo();
    EXPECT_EQ(CourseData::IsChanged(), 1);
    history.Redo();
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

TEST_F(CourseHistoryTest, UndoTellsTheLoopAndKeepsTheDriversCameraOnTheCourse) {
    static int32_t told = -1;
    CourseData::ConnectLoopStateHook([](int32_t loop) { told = loop; });
    CourseData::SetLoop(1);
    ASSERT_TRUE(history.Commit());
    CourseData::MoveCameraPosition(2.5); // onto the closing segment
    history.Undo();
    EXPECT_EQ(told, 0);
    EXPECT_EQ(CourseData::IsLoop(), 0);
    int32_t segment = 0;
    double t = 0.0;
    ASSERT_EQ(CourseData::GetCameraPosition(segment, t), 0);
    EXPECT_EQ(segment, 0); // the closing segment is gone with the loop
    history.Redo();
    EXPECT_EQ(told, 1);
    CourseData::MoveCameraPosition(1.25);
    history.Undo();
    ASSERT_EQ(CourseData::GetCameraPosition(segment, t), 0);
    EXPECT_EQ(segment, 1);
    EXPECT_DOUBLE_EQ(t, 0.25);
}

} // namespace
