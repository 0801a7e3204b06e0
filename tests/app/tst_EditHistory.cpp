#include "app/ButtonControl.h"
#include "app/ParallelWindow.h"
#include "app/WinMain.h"
#include "support/CourseTest.h"
#include "support/DesignerFixture.h"
#include "views/ParallelDisp.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

using namespace ButtonControl;
using platform::Message;
using enum WinMain::MenuCommand;

namespace {

using Bytes = std::vector<unsigned char>;

class EditHistoryTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        PlaceMainWindow(800, 600);
        ShowLayout(TopViewButton);
        top = ParallelWindow::GetWindow(0);
    }

    QAction* MenuAction(int identifier) const {
        return MainFrame()->findChild<QAction*>(QString::number(identifier));
    }

    bool Enabled(int identifier) const { return MenuAction(identifier)->isEnabled(); }

    std::string Status() const {
        const QWidget* frame = MainFrame();
        return frame->findChild<QStatusBar*>()->findChild<QLabel*>()->text().toStdString();
    }

    platform::WindowHandle top = 0;
};

// The loop button is one step as a gesture is (the view windows' gesture tables prove
// that for every tool in every view): one undo gives back the course byte for byte as it
// was before, one redo as it was after. Undone to the start, the course is the opened one.
TEST_F(EditHistoryTest, EveryEditIsOneStepThatUndoAndRedoReplay) {
    EXPECT_FALSE(Enabled(UndoCommand));
    EXPECT_FALSE(Enabled(RedoCommand));
    const Bytes opened = CourseData::SaveToBytes();
    Click(top, 100, 100);
    Click(top, 300, 150);
    const Bytes before = CourseData::SaveToBytes();
    PressPanelButton(LoopButton);
    const Bytes after = CourseData::SaveToBytes();
    ASSERT_NE(before, after);
    Command(UndoCommand);
    EXPECT_EQ(CourseData::SaveToBytes(), before);
    EXPECT_TRUE(Enabled(RedoCommand));
    Command(RedoCommand);
    EXPECT_EQ(CourseData::SaveToBytes(), after);
    EXPECT_FALSE(Enabled(RedoCommand));
    for (int i = 0; i < 3; ++i) {
        Command(UndoCommand);
    }
    EXPECT_EQ(CourseData::SaveToBytes(), opened);
    EXPECT_TRUE(ShowsView(top, ParallelWindow::GetCamera(0),
                          [](CameraControl& camera) { ParallelDisp::Draw(camera, 1); }));
    EXPECT_FALSE(Enabled(UndoCommand));
    // Back where the designer started, nothing is left to save.
    EXPECT_EQ(CourseData::IsChanged(), 0);
    EXPECT_TRUE(CloseMainWindow());
    EXPECT_TRUE(boxes.empty());
}

// A selection, a camera move and a click on nothing are no step; New starts over.
TEST_F(EditHistoryTest, OnlyChangesOfTheCourseAreSteps) {
    Click(top, 100, 100);
    Click(top, 300, 150);
    Command(DeleteCommand); // the second point, selected
    EXPECT_EQ(CourseData::GetPointNum(), 1);
    Command(UndoCommand);
    EXPECT_EQ(CourseData::GetPointNum(), 2);
    Command(UndoCommand);
    Command(UndoCommand);
    EXPECT_EQ(CourseData::GetPointNum(), 0);
    EXPECT_FALSE(Enabled(UndoCommand));

    Command(RedoCommand);
    Command(ClearSelectionCommand);
    Command(DeleteCommand); // deletes nothing once nothing is selected
    EXPECT_EQ(CourseData::GetPointNum(), 1);
    Vec3d point{}; // a click on the point selects it
    ParallelWindow::GetCamera(0).WorldToScreen(PositionOf(0), point);
    Click(top, static_cast<int>(point.x), static_cast<int>(point.y));
    PressPanelButton(CameraMoveTool);
    Drag(top, 200, 200, 230, 230);
    PressPanelButton(CameraZoomTool);
    Drag(top, 200, 200, 200, 230);
    EXPECT_TRUE(Enabled(RedoCommand)); // nothing was recorded over the redo steps

    // New and Open start afresh.
    PressPanelButton(EditTool);
    for (const int command : {NewCommand, OpenCommand}) {
        Click(top, 100, 100);
        boxAnswers = {platform::AnswerNo};
        fileAnswers = {VELMORA_SOURCE_DIR "/tests/data/two-point/course.cus"};
        Command(command);
        EXPECT_FALSE(Enabled(UndoCommand)) << command;
        EXPECT_FALSE(Enabled(RedoCommand)) << command;
    }
    EXPECT_EQ(CourseData::GetPointNum(), 2);
}

// Save goes to the file last opened or saved, asking for one only when there is none;
// the changed mark follows undo and redo to and from what the file holds, and the status
// line shows it.
TEST_F(EditHistoryTest, SaveWritesTheCurrentFileAndTheMarkFollowsIt) {
    EXPECT_EQ(Status(), "無題    ツール: 編集");
    Click(top, 100, 100);
    EXPECT_EQ(Status(), "無題 *    ツール: 編集");
    fileAnswers = {dir.File("course.cus")};
    Command(SaveCommand);
    ASSERT_EQ(dialogs.size(), 1U);
    Click(top, 300, 100);
    Command(SaveCommand);
    EXPECT_EQ(dialogs.size(), 1U);
    EXPECT_EQ(ReadBytes(dir.File("course.cus")), CourseData::SaveToBytes());
    EXPECT_EQ(Status(), "course.cus    ツール: 編集");
    Command(UndoCommand);
    EXPECT_EQ(Status(), "course.cus *    ツール: 編集");
    Command(RedoCommand);
    PressPanelButton(SampleTool);
    EXPECT_EQ(Status(), "course.cus    ツール: サンプル");
    PressPanelButton(EditTool);

    // A failed save is reported and keeps the mark.
    Click(top, 300, 300);
    std::filesystem::remove(dir.File("course.cus"));
    std::filesystem::create_directory(dir.File("course.cus"));
    Command(SaveCommand);
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].title, "ファイルのオープンに失敗");
    EXPECT_EQ(CourseData::IsChanged(), 1);
}

// The menus show the shortcuts, which work from any of the designer's windows.
TEST_F(EditHistoryTest, TheMenusCarryTheirShortcuts) {
    QStringList menus;
    for (const QAction* menu : MainFrame()->findChild<QMenuBar*>()->actions()) {
        menus << menu->text();
    }
    EXPECT_EQ(menus.join(" "), "ﾌｧｲﾙ 編集 表示 ﾍﾙﾌﾟ");
    // Hidden shortcuts keep to the main window, so that an open dialog keeps its keys.
    constexpr auto App = Qt::ApplicationShortcut;
    constexpr auto Own = Qt::WindowShortcut;
    const std::tuple<int, const char*, const char*, Qt::ShortcutContext> items[] = {
        {NewCommand, "新規作成", "Ctrl+N", App},
        {OpenCommand, "開く", "Ctrl+O", App},
        {SaveCommand, "上書き保存", "Ctrl+S", App},
        {119, "名前を付けて保存", "Ctrl+Shift+S", App},
        {UndoCommand, "元に戻す", "Ctrl+Z", App},
        {RedoCommand, "やり直し", "Ctrl+Y; Ctrl+Shift+Z", App},
        {FitCommand, "全体を表示", "Home", App},
        {FrameCommand, "選択点を中央に表示", "F", App},
        {CombCommand, "曲率コーム", "C", App},
        {DeleteCommand, "", "Del", Own},
        {ClearSelectionCommand, "", "Esc", Own},
    };
    for (const auto& [identifier, text, keys, context] : items) {
        const QAction* action = MenuAction(identifier);
        ASSERT_NE(action, nullptr) << keys;
        EXPECT_EQ(action->text().toStdString(), text);
        EXPECT_EQ(QKeySequence::listToString(action->shortcuts()).toStdString(), keys);
        EXPECT_EQ(action->shortcutContext(), context) << keys;
    }
}

} // namespace
