#include "app/ButtonControl.h"
#include "app/ExpandWindow.h"
#include "app/ParallelWindow.h"
#include "app/PerspecWindow.h"
#include "app/SpPointWindow.h"
#include "app/WinMain.h"
#include "model/CobExport.h"
#include "model/CourseData.h"
#include "platform/Profile.h"
#include "support/DesignerFixture.h"
#include "views/ParallelDisp.h"

#include <QWidget>
#include <filesystem>
#include <optional>

using namespace ButtonControl;
using enum WinMain::MenuCommand;

namespace {

const char* const SavePrompt = "データが変更されています。保存しますか?";

void ChangeCourse() {
    CourseData::NewCourse();
    CourseData::AddPoint(10, 0, 20);
    CourseData::AddPoint(30, 0, 40);
}

} // namespace

using MainWindowTest = DesignerTest;

// File > New on a changed course goes by the answer to the prompt and then to the save
// dialog, and so does closing; an unchanged course is never prompted for (the edit
// history's test closes one).
TEST_F(MainWindowTest, NewAsksBeforeAChangedCourseIsLost) {
    Command(NewCommand);
    Command(OpenCommand);
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(boxes.empty());
    const struct {
        int answer;
        std::optional<std::string> saveAs;
        size_t boxesShown;
        int pointsLeft;
    } rows[] = {
        {platform::AnswerCancel, std::nullopt, 1, 2},
        {platform::AnswerYes, std::nullopt, 1, 2},         // the save dialog cancelled
        {platform::AnswerYes, "missing/course.cus", 2, 2}, // a failed save keeps the course
        {platform::AnswerYes, "saved", 1, 0},              // saved, then new
        {platform::AnswerNo, std::nullopt, 1, 0},
    };
    for (const auto& row : rows) {
        ChangeCourse();
        boxes.clear();
        dialogs.clear();
        boxAnswers = {row.answer};
        if (row.saveAs) {
            fileAnswers = {dir.File(*row.saveAs)};
        }
        Command(NewCommand);
        ASSERT_EQ(boxes.size(), row.boxesShown) << row.answer;
        EXPECT_EQ(boxes[0].text, SavePrompt);
        EXPECT_EQ(boxes[0].title, "Message");
        EXPECT_EQ(dialogs.size(), row.answer == platform::AnswerYes ? 1u : 0u) << row.answer;
        EXPECT_EQ(CourseData::GetPointNum(), row.pointsLeft) << row.answer;
        EXPECT_EQ(CourseData::IsChanged(), row.pointsLeft == 0 ? 0 : 1) << row.answer;
    }
    EXPECT_TRUE(std::filesystem::exists(dir.File("saved")));

    ChangeCourse();
    boxAnswers = {platform::AnswerCancel};
    EXPECT_FALSE(CloseMainWindow());
    boxAnswers = {platform::AnswerCancel};
    // As the window system asks.
    MainFrame()->close();
    EXPECT_TRUE(platform::IsWindowVisible(WinMain::GetMainWindow()));
    boxAnswers = {platform::AnswerYes};
    fileAnswers = {dir.File("missing/course.cus")};
    EXPECT_FALSE(CloseMainWindow());
}

// Save As writes the course under the name exactly as typed, Export writes its mesh and
// Open loads the course chosen, each through its own kind of dialog, which opens where its
// last file went, however long that folder's path. The views show at once the course that
// New or Open leaves.
TEST_F(MainWindowTest, TheFileCommandsWorkOnTheChosenFileAndRememberItsFolder) {
    PlaceMainWindow(700, 500);
    ShowLayout(TopViewButton);
    ChangeCourse();
    std::filesystem::path courses = dir.Path();
    for (int i = 0; i < 6; ++i) {
        courses /= std::string(60, static_cast<char>('a' + i));
    }
    std::filesystem::create_directories(courses);
    std::filesystem::create_directories(dir.Path() / "meshes");
    const std::string course = (courses / "abc").string();
    fileAnswers = {course, dir.File("meshes/mesh.cob"), course};
    Command(SaveAsCommand);
    Command(ExportCommand);
    EXPECT_FALSE(std::filesystem::exists(course + ".cus"));
    EXPECT_EQ(CourseData::IsChanged(), 0);
    ASSERT_EQ(ExportCob(dir.File("expected.cob").c_str()), 0);
    EXPECT_EQ(ReadBytes(dir.File("meshes/mesh.cob")), ReadBytes(dir.File("expected.cob")));
    for (int command : {NewCommand, OpenCommand}) {
        Command(command);
        EXPECT_TRUE(ShowsView(ParallelWindow::GetWindow(0), ParallelWindow::GetCamera(0),
                              [](CameraControl& camera) { ParallelDisp::Draw(camera, 1); }))
            << command;
    }
    EXPECT_EQ(CourseData::GetPointNum(), 2);
    EXPECT_TRUE(boxes.empty());
    Command(SaveAsCommand);
    Command(ExportCommand);
    EXPECT_EQ(std::filesystem::current_path(), dir.Path());

    std::string asked;
    for (const platform::FileDialogRequest& dialog : dialogs) {
        asked += dialog.mode == platform::FileDialogMode::Save ? "save" : "open";
        for (const platform::FileFilter& filter : dialog.filters) {
            asked += " " + filter.text + " " + filter.pattern;
        }
        asked += " in " + dialog.initialDirectory + "; ";
    }
    const std::string start = dir.Path().string();
    EXPECT_EQ(asked, "save Course(*.cus) *.cus in " + start + "; save cob(*.cob) *.cob in " +
                         start + "; open Course(*.cus) *.cus in " + start +
                         "; save Course(*.cus) *.cus in " + courses.string() +
                         "; save cob(*.cob) *.cob in " + dir.File("meshes") + "; ");

    // A remembered folder that has gone, or an empty one, means the start directory again.
    std::filesystem::remove_all(courses);
    Profile::WriteString(dir.File("Settei.ini"), "CobFileSave", "LoadFileDir", "");
    Command(SaveAsCommand);
    Command(ExportCommand);
    ASSERT_EQ(dialogs.size(), 7u);
    EXPECT_EQ(dialogs[5].initialDirectory, start);
    EXPECT_EQ(dialogs[6].initialDirectory, start);
}

// The open failure's box has its text and title the other way round. Before Open comes
// the prompt for the changed course.
TEST_F(MainWindowTest, AFileThatCannotBeOpenedOrWrittenIsReported) {
    ChangeCourse();
    const std::pair<int, Box> rows[] = {
        {OpenCommand, {"ファイルのオープンに失敗", "Error"}},
        {SaveAsCommand, {"Error", "ファイルのオープンに失敗"}},
        {ExportCommand, {"Error", "ファイルのオープンに失敗"}},
    };
    boxAnswers = {platform::AnswerNo};
    for (const auto& [command, box] : rows) {
        boxes.clear();
        fileAnswers = {dir.File("missing/file")};
        Command(command);
        ASSERT_EQ(boxes.size(), command == OpenCommand ? 2u : 1u) << command;
        EXPECT_EQ(boxes.back().text, box.text) << command;
        EXPECT_EQ(boxes.back().title, box.title) << command;
    }
    boxes.clear();
    fileAnswers = {std::string()}; // an empty choice is a cancel
    Command(SaveAsCommand);
    EXPECT_TRUE(boxes.empty());
}

// Both exports refuse a course without a road; エクスポート... writes the format the chosen
// name's extension names, with the start directory's texture, and refuses any other.
TEST_F(MainWindowTest, ExportsNeedARoadAndTheNewOneWritesTheFormatOfTheExtension) {
    for (const int command : {ExportCommand, ExchangeExportCommand}) {
        Command(command);
        ASSERT_EQ(boxes.size(), 1U);
        EXPECT_EQ(boxes.back().text, "出力する道路がありません。点を二つ以上置いてください。");
        boxes.clear();
    }
    EXPECT_TRUE(dialogs.empty());
    CourseData::AddPoint(0, 0, 0);
    CourseData::AddPoint(100, 0, 0);
    std::filesystem::copy_file(VELMORA_SOURCE_DIR "/resources/Texture.bmp", dir.File("Texture.bmp"),
                               std::filesystem::copy_options::overwrite_existing);
    fileAnswers = {dir.File("road.glb"), dir.File("road.stl")};
    Command(ExchangeExportCommand);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ReadText(dir.File("road.glb")).substr(0, 4), "glTF");
    ASSERT_EQ(dialogs.size(), 1U);
    EXPECT_EQ(dialogs[0].filters.size(), 5U);
    Command(ExchangeExportCommand);
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_FALSE(std::filesystem::exists(dir.File("road.stl")));
}

TEST_F(MainWindowTest, HelpOpensTheDocumentAndAboutNamesTheProgram) {
    // Run from its build tree with no help of its own, the designer takes the sources'.
    Command(HelpCommand);
    std::filesystem::create_directories(dir.Path() / "Help");
    WriteBytes(dir.File("Help/index.html"), {'<', 'p', '>'});
    Command(HelpCommand);
    ASSERT_EQ(helps.size(), 2u);
    EXPECT_EQ(helps[0], VELMORA_SOURCE_DIR "/Help/index.html");
    EXPECT_EQ(helps[1], dir.File("Help/index.html"));
    EXPECT_TRUE(boxes.empty());
    Command(AboutCommand);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "バージョン情報");
    EXPECT_NE(boxes[0].text.find("Velmora"), std::string::npos);
}

// The views in view order: top, side, front, dial, expanded top, expanded side, perspective.
// A layout of one view gives it all the client area right of the panel.
TEST_F(MainWindowTest, EachViewButtonShowsItsViews) {
    PlaceMainWindow(700, 500);
    const std::pair<int, const char*> rows[] = {
        {TopViewButton, "1000000"},      {SideViewButton, "0100000"},
        {FrontViewButton, "0010000"},    {ExpandTopButton, "0000100"},
        {ExpandSideButton, "0000010"},   {ShapeLayoutButton, "1111000"},
        {HeightLayoutButton, "1000011"}, {WidthLayoutButton, "1000101"},
        {RollLayoutButton, "1001001"},
    };
    for (const auto& [button, expected] : rows) {
        PressPanelButton(button);
        std::string shown;
        for (platform::WindowHandle view :
             {ParallelWindow::GetWindow(0), ParallelWindow::GetWindow(1),
              ParallelWindow::GetWindow(2), SpPointWindow::GetWindow(0), ExpandWindow::GetWindow(0),
              ExpandWindow::GetWindow(1), PerspecWindow::GetWindow()}) {
            shown += platform::IsWindowVisible(view) ? '1' : '0';
        }
        EXPECT_EQ(shown, expected) << button;
    }

    PressPanelButton(TopViewButton);
    const platform::Rect client = platform::GetClientRect(WinMain::GetMainWindow());
    const platform::Rect top = platform::GetWindowRect(ParallelWindow::GetWindow(0));
    EXPECT_EQ(top.right - top.left, client.right - GetPanelWidth());
    EXPECT_EQ(top.bottom - top.top, client.bottom);
}
