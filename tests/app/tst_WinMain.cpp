#include "app/ButtonControl.h"
#include "app/WinMain.h"
#include "model/CourseData.h"
#include "platform/Profile.h"
#include "platform/Windows.h"
#include "support/DesignerFixture.h"
#include "views/ViewLayout.h"

#include <filesystem>

namespace {

enum { NewCommand = 117, OpenCommand, SaveAsCommand, ExportCommand, HelpCommand, AboutCommand };

const char* const SavePrompt = "データが変更されています。保存しますか?";

void ChangeCourse() {
    CourseData::AddPoint(10, 0, 20);
    CourseData::AddPoint(30, 0, 40);
}

} // namespace

using MainWindowTest = DesignerTest;

TEST_F(MainWindowTest, FirstStartOpensTheDefaultPlacementInTheShapeLayout) {
    const platform::WindowHandle window = WinMain::GetMainWindow();
    EXPECT_STREQ(platform::GetWindowTitle(window), "VelmoraV1.0");
    EXPECT_TRUE(platform::IsWindowVisible(window));
    const platform::WindowPlacement placement = platform::GetWindowPlacement(window);
    EXPECT_EQ(placement.showCmd, platform::ShowNormal);
    EXPECT_EQ(placement.normalPosition.left, 100);
    EXPECT_EQ(placement.normalPosition.top, 100);
    EXPECT_EQ(placement.normalPosition.right, 300);
    EXPECT_EQ(placement.normalPosition.bottom, 200);
    EXPECT_EQ(ButtonControl::GetCurrentView(), ButtonControl::ShapeLayoutButton);
}

TEST_F(MainWindowTest, ClosingWritesThePlacementThatTheNextStartRestores) {
    const platform::WindowHandle window = WinMain::GetMainWindow();
    platform::WindowPlacement moved;
    moved.normalPosition = {40, 50, 640, 530};
    platform::SetWindowPlacement(window, moved);
    ASSERT_TRUE(CloseMainWindow());
    const std::string settings = dir.File("Settei.ini");
    EXPECT_EQ(Profile::GetInt(settings, "MainWindow", "Length", 0), 44);
    EXPECT_EQ(Profile::GetInt(settings, "MainWindow", "ShowCmd", 0), 1);
    EXPECT_EQ(Profile::GetInt(settings, "MainWindow", "Left", 0), 40);
    EXPECT_EQ(Profile::GetInt(settings, "MainWindow", "Bottom", 0), 530);

    WinMain::ShutDown();
    started = false;
    ASSERT_TRUE(WinMain::StartUp(nullptr));
    started = true;
    const platform::WindowPlacement restored =
        platform::GetWindowPlacement(WinMain::GetMainWindow());
    EXPECT_EQ(restored.normalPosition.left, 40);
    EXPECT_EQ(restored.normalPosition.top, 50);
    EXPECT_EQ(restored.normalPosition.right, 640);
}

TEST_F(MainWindowTest, UnchangedCourseIsNeverPromptedFor) {
    Command(NewCommand);
    Command(OpenCommand);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(CloseMainWindow());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, CancelAtThePromptKeepsTheCourse) {
    ChangeCourse();
    boxAnswers = {platform::AnswerCancel};
    Command(NewCommand);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, SavePrompt);
    EXPECT_EQ(boxes[0].title, "Message");
    EXPECT_EQ(CourseData::GetPointNum(), 2);
    EXPECT_EQ(CourseData::IsChanged(), 1);

    boxAnswers = {platform::AnswerCancel};
    EXPECT_FALSE(CloseMainWindow());
}

TEST_F(MainWindowTest, YesWithACancelledSaveDialogKeepsTheCourse) {
    ChangeCourse();
    boxAnswers = {platform::AnswerYes};
    Command(OpenCommand);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].mode, platform::FileDialogMode::Save);
    EXPECT_EQ(CourseData::GetPointNum(), 2);
}

TEST_F(MainWindowTest, YesWithAFailedSaveKeepsTheCourseToSaveElsewhere) {
    ChangeCourse();
    boxAnswers = {platform::AnswerYes};
    fileAnswers = {dir.File("missing/course.cus")};
    Command(NewCommand);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Error");
    EXPECT_EQ(boxes[1].title, "ファイルのオープンに失敗");
    EXPECT_EQ(CourseData::GetPointNum(), 2);
    EXPECT_EQ(CourseData::IsChanged(), 1);

    boxAnswers = {platform::AnswerYes};
    fileAnswers = {dir.File("missing/course.cus")};
    EXPECT_FALSE(CloseMainWindow());
}

TEST_F(MainWindowTest, YesSavesThenGoesOn) {
    ChangeCourse();
    boxAnswers = {platform::AnswerYes};
    fileAnswers = {dir.File("saved")};
    Command(NewCommand);
    EXPECT_TRUE(std::filesystem::exists(dir.File("saved")));
    EXPECT_EQ(CourseData::GetPointNum(), 0);
    EXPECT_EQ(CourseData::IsChanged(), 0);
}

TEST_F(MainWindowTest, NoDiscardsTheCourse) {
    ChangeCourse();
    boxAnswers = {platform::AnswerNo};
    Command(NewCommand);
    EXPECT_EQ(CourseData::GetPointNum(), 0);
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(MainWindowTest, OpenLoadsTheChosenCourseOrSaysItFailed) {
    ChangeCourse();
    ASSERT_EQ(CourseData::Save(dir.File("two.cus").c_str()), 0);
    CourseData::NewCourse();

    fileAnswers = {dir.File("two.cus")};
    Command(OpenCommand);
    EXPECT_EQ(CourseData::GetPointNum(), 2);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].mode, platform::FileDialogMode::Open);
    ASSERT_EQ(dialogs[0].filters.size(), 1u);
    EXPECT_EQ(dialogs[0].filters[0].text, "Course(*.cus)");
    EXPECT_EQ(dialogs[0].filters[0].pattern, "*.cus");

    fileAnswers = {dir.File("nothing.cus")};
    Command(OpenCommand);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "ファイルのオープンに失敗");
    EXPECT_EQ(boxes[0].title, "Error");
    EXPECT_EQ(CourseData::GetPointNum(), 2);
}

TEST_F(MainWindowTest, SaveAsWritesTheNameAsTypedAndExportWritesTheMesh) {
    ChangeCourse();
    fileAnswers = {dir.File("abc"), dir.File("mesh.cob")};
    Command(SaveAsCommand);
    Command(ExportCommand);
    EXPECT_TRUE(std::filesystem::exists(dir.File("abc")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("abc.cus")));
    EXPECT_EQ(CourseData::IsChanged(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.File("mesh.cob")));
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].filters[0].text, "cob(*.cob)");
    EXPECT_TRUE(boxes.empty());

    fileAnswers = {dir.File("missing/mesh.cob")};
    Command(ExportCommand);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error");
    EXPECT_EQ(boxes[0].title, "ファイルのオープンに失敗");
}

TEST_F(MainWindowTest, EachDialogRemembersItsOwnDirectory) {
    std::filesystem::create_directories(dir.Path() / "courses");
    std::filesystem::create_directories(dir.Path() / "meshes");
    fileAnswers = {dir.File("courses/a.cus"), dir.File("meshes/a.cob")};
    Command(SaveAsCommand);
    Command(ExportCommand);
    Command(OpenCommand);
    Command(SaveAsCommand);
    ASSERT_EQ(dialogs.size(), 4u);
    EXPECT_EQ(dialogs[0].initialDirectory, dir.Path().string());
    EXPECT_EQ(dialogs[2].initialDirectory, dir.Path().string());
    EXPECT_EQ(dialogs[3].initialDirectory, dir.File("courses"));
    const std::string settings = dir.File("Settei.ini");
    EXPECT_EQ(Profile::GetString(settings, "CobFileSave", "LoadFileDir", ""), dir.File("meshes"));
    EXPECT_EQ(std::filesystem::current_path(), dir.Path());

    // A remembered folder that has gone, or an empty one, means the start directory again.
    std::filesystem::remove_all(dir.Path() / "courses");
    Profile::WriteString(settings, "CobFileSave", "LoadFileDir", "");
    Command(SaveAsCommand);
    Command(ExportCommand);
    ASSERT_EQ(dialogs.size(), 6u);
    EXPECT_EQ(dialogs[4].initialDirectory, dir.Path().string());
    EXPECT_EQ(dialogs[5].initialDirectory, dir.Path().string());
}

TEST_F(MainWindowTest, LongPathsWorkLikeAnyOther) {
    std::filesystem::path deep = dir.Path();
    for (int i = 0; i < 6; ++i) {
        deep /= std::string(60, static_cast<char>('a' + i));
    }
    std::filesystem::create_directories(deep);
    ChangeCourse();
    const std::string file = (deep / "course.cus").string();
    ASSERT_GT(file.size(), 300u);
    fileAnswers = {file};
    Command(SaveAsCommand);
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(Profile::GetString(dir.File("Settei.ini"), "CourseFileSave", "LoadFileDir", ""),
              deep.string());
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

TEST_F(MainWindowTest, LoopButtonReachesTheCourseThroughThePanel) {
    platform::MessageArgs inside;
    inside.x = 4;
    inside.y = 4;
    platform::SendMessage(ButtonControl::GetButton(ButtonControl::LoopButton),
                          platform::Message::LeftDown, inside);
    EXPECT_EQ(CourseData::IsLoop(), 1);
    boxAnswers = {platform::AnswerNo};
    Command(NewCommand);
    EXPECT_EQ(CourseData::IsLoop(), 0);
    EXPECT_EQ(Level(ButtonControl::LoopButton), 0);
}

namespace {

std::vector<std::string> layoutCalls;

void PlaceTop(int x, int y, int w, int h) {
    layoutCalls.push_back("top " + std::to_string(x) + "," + std::to_string(y) + "," +
                          std::to_string(w) + "," + std::to_string(h));
}
void ShowTop() {
    layoutCalls.push_back("show top");
}
void HideTop() {
    layoutCalls.push_back("hide top");
}
void RefreshTop() {
    layoutCalls.push_back("refresh top");
}

} // namespace

TEST_F(MainWindowTest, ViewButtonsRearrangeTheViewsThatHaveJoinedTheLayout) {
    ViewLayout::RegisterView(TopView, {PlaceTop, ShowTop, HideTop, RefreshTop});
    layoutCalls.clear();
    PressPanelButton(ButtonControl::SideViewButton);
    PressPanelButton(ButtonControl::TopViewButton);
    int width = 0;
    int height = 0;
    ButtonControl::GetClientSize(WinMain::GetMainWindow(), width, height);
    const std::string whole =
        "top 91,0," + std::to_string(width - 91) + "," + std::to_string(height);
    EXPECT_EQ(layoutCalls, (std::vector<std::string>{"hide top", whole, "show top"}));

    layoutCalls.clear();
    CourseData::AddPoint(1, 2, 3);
    WinMain::RefreshShownViews();
    EXPECT_EQ(layoutCalls, (std::vector<std::string>{"refresh top"}));
    ViewLayout::ClearViews();
}
