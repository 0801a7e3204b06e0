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
#include <functional>

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

    // Where the point is in the top view.
    std::pair<int, int> OnScreen(int index) const {
        Vec3d screen{};
        ParallelWindow::GetCamera(0).WorldToScreen(PositionOf(index), screen);
        return {static_cast<int>(screen.x), static_cast<int>(screen.y)};
    }

    // A drag of many moves.
    static void LongDrag(platform::WindowHandle window, int x, int y, int dx, int dy) {
        Send(window, Message::LeftDown, x, y);
        for (int i = 1; i <= 5; ++i) {
            Send(window, Message::MouseMove, x + dx * i / 5, y + dy * i / 5);
        }
        Send(window, Message::LeftUp, x + dx, y + dy);
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

// A gesture, however many moves it has, and the loop button are one step each: one undo
// gives back the course byte for byte as it was before, one redo as it was after (the view
// windows' gesture tables prove this for every tool in every view).
TEST_F(EditHistoryTest, EveryEditIsOneStepThatUndoAndRedoReplay) {
    EXPECT_FALSE(Enabled(UndoCommand));
    EXPECT_FALSE(Enabled(RedoCommand));
    const Bytes opened = CourseData::SaveToBytes();
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"add", [&] { Click(top, 100, 100); }},
        {"add after", [&] { Click(top, 300, 150); }},
        // The right button pressed and released on nothing amid a drag does not end it.
        {"move past a right click",
         [&] {
             const auto [x, y] = OnScreen(1);
             Send(top, Message::LeftDown, x, y);
             Send(top, Message::MouseMove, x + 10, y);
             Send(top, Message::RightDown, 5, 5);
             Send(top, Message::RightUp, 5, 5);
             Send(top, Message::MouseMove, x + 20, y);
             Send(top, Message::LeftUp, x + 20, y);
         }},
        {"loop", [&] { PressPanelButton(LoopButton); }},
    };
    for (const auto& [name, edit] : edits) {
        const Bytes before = CourseData::SaveToBytes();
        edit();
        const Bytes after = CourseData::SaveToBytes();
        ASSERT_NE(before, after) << name;
        EXPECT_TRUE(Enabled(UndoCommand)) << name;
        Command(UndoCommand);
        EXPECT_EQ(CourseData::SaveToBytes(), before) << name;
        EXPECT_TRUE(Enabled(RedoCommand)) << name;
        Command(RedoCommand);
        EXPECT_EQ(CourseData::SaveToBytes(), after) << name;
        EXPECT_FALSE(Enabled(RedoCommand)) << name;
    }
    for (size_t i = 0; i < std::size(edits); ++i) {
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
    int32_t selected = 0;
    int32_t handle = 0;
    CourseData::GetHandle(selected, handle);
    EXPECT_EQ(selected, -1);
    Command(DeleteCommand);
    EXPECT_EQ(CourseData::GetPointNum(), 1);
    const auto [x, y] = OnScreen(0);
    Click(top, x, y);
    PressPanelButton(CameraMoveTool);
    LongDrag(top, 200, 200, 30, 30);
    PressPanelButton(CameraZoomTool);
    LongDrag(top, 200, 200, 0, 30);
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
    EXPECT_EQ(CourseData::IsChanged(), 0);
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
    const std::tuple<int, const char*, const char*> items[] = {
        {NewCommand, "新規作成", "Ctrl+N"},
        {OpenCommand, "開く", "Ctrl+O"},
        {SaveCommand, "上書き保存", "Ctrl+S"},
        {119, "名前を付けて保存", "Ctrl+Shift+S"},
        {UndoCommand, "元に戻す", "Ctrl+Z"},
        {RedoCommand, "やり直し", "Ctrl+Y; Ctrl+Shift+Z"},
        {FitCommand, "全体を表示", "Home"},
        {FrameCommand, "選択点を中央に表示", "F"},
        {DeleteCommand, "", "Del"},
        {ClearSelectionCommand, "", "Esc"},
    };
    for (const auto& [identifier, text, keys] : items) {
        const QAction* action = MenuAction(identifier);
        ASSERT_NE(action, nullptr) << keys;
        EXPECT_EQ(action->text().toStdString(), text);
        EXPECT_EQ(QKeySequence::listToString(action->shortcuts()).toStdString(), keys);
        EXPECT_EQ(action->shortcutContext(), Qt::ApplicationShortcut) << keys;
    }
}

} // namespace
