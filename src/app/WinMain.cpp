#include "app/WinMain.h"

#include "app/ButtonControl.h"
#include "app/DrawButton.h"
#include "app/EditHistory.h"
#include "app/ExpandWindow.h"
#include "app/InspectorWindow.h"
#include "app/ParallelWindow.h"
#include "app/PerspecWindow.h"
#include "app/RecoveryCopy.h"
#include "app/SpPointWindow.h"
#include "app/TorcsTestDrive.h"
#include "app/WinProfile.h"
#include "exchange/CourseExport.h"
#include "model/CobExport.h"
#include "model/CourseData.h"
#include "platform/Application.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/StartDirectory.h"
#include "render/PerspecTextureEngine.h"
#include "render/PictureBank.h"
#include "views/DispControl.h"
#include "views/PointForm.h"
#include "views/ViewLayout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace WinMain {

namespace {

constexpr const char* ClassName = "MyWin";
constexpr const char* Title = "VelmoraV1.0";
constexpr const char* PlacementSection = "MainWindow";

constexpr platform::MenuItem FileItems[] = {
    {NewCommand, "新規作成", "Ctrl+N"},    {OpenCommand, "開く", "Ctrl+O"},
    {SaveCommand, "上書き保存", "Ctrl+S"}, {SaveAsCommand, "名前を付けて保存", "Ctrl+Shift+S"},
    {ExportCommand, "cobﾌｧｲﾙを出力"},      {ExchangeExportCommand, "エクスポート..."},
    {TestDriveCommand, "TORCSで試走"},
};
constexpr platform::MenuItem EditItems[] = {
    {UndoCommand, "元に戻す", "Ctrl+Z"},
    {RedoCommand, "やり直し", "Ctrl+Y; Ctrl+Shift+Z"},
    {PointValuesCommand, "点の値を入力..."},
};
constexpr platform::MenuItem ViewItems[] = {
    {FitCommand, "全体を表示", "Home"},
    {FrameCommand, "選択点を中央に表示", "F"},
    {CombCommand, "曲率コーム", "C"},
};
constexpr platform::MenuItem HelpItems[] = {
    {HelpCommand, "トピックの検索"},
    {AboutCommand, "バージョン情報"},
};
constexpr platform::MenuPopup Menu[] = {
    {"ﾌｧｲﾙ", FileItems, 7},
    {"編集", EditItems, 3},
    {"表示", ViewItems, 3},
    {"ﾍﾙﾌﾟ", HelpItems, 2},
};

constexpr const char* AboutText =
    "Velmora " VELMORA_VERSION "\nレーシングコースデザイナー\n良いコースを!";

std::string startDirectory;
std::string settingsPath;
// The file the course was last opened from or saved to; empty for a new course.
std::string currentFile;
platform::WindowHandle mainWindow = 0;
int clientWidth = 0;
int clientHeight = 0;

enum class SaveResult { Saved, Cancelled, Failed };

const std::vector<platform::FileFilter> CourseFilter{{"Course(*.cus)", "*.cus"}};
const std::vector<platform::FileFilter> CobFilter{{"cob(*.cob)", "*.cob"}};
const std::vector<platform::FileFilter> ExchangeFilters{
    {"glTF binary (*.glb)", "*.glb"}, {"glTF (*.gltf)", "*.gltf"}, {"OBJ (*.obj)", "*.obj"},
    {"JSON (*.json)", "*.json"},      {"cob (*.cob)", "*.cob"},
};
// Mesh readers refuse a mesh without faces, so a course without a road is not exported.
constexpr const char* NoRoadText = "出力する道路がありません。点を二つ以上置いてください。";

// What the status line calls each tool.
const char* ToolName(int tool) {
    switch (tool) {
    case ButtonControl::SampleTool:
        return "サンプル";
    case ButtonControl::WidthTool:
        return "コース幅";
    case ButtonControl::CameraMoveTool:
        return "視点移動";
    case ButtonControl::CameraZoomTool:
        return "ズーム";
    default:
        return "編集";
    }
}

// The course's file name, or 無題 for a course never saved, with " *" while it has
// changes that its file does not hold, then the current tool.
std::string StatusText() {
    std::string text = currentFile.empty() ? std::string("無題")
                                           : std::filesystem::path(currentFile).filename().string();
    if (CourseData::IsChanged() != 0) {
        text += " *";
    }
    return text + "    ツール: " + ToolName(ButtonControl::GetCurrentTool());
}

void ShowError(const char* text, const char* title) {
    platform::MessageBox(mainWindow, text, title, platform::MessageBoxButtons::Ok);
}

// Opens the help document, or says where it was looked for: an empty viewer would only
// leave the user guessing.
void ShowHelp() {
    std::vector<std::filesystem::path> looked;
    const std::filesystem::path help = StartDirectory::FindHelp(looked);
    if (!help.empty()) {
        platform::OpenHelp(help.string());
        return;
    }
    std::string text = "ヘルプ文書が見つかりません。次の場所を探しました:";
    for (const std::filesystem::path& place : looked) {
        text += "\n" + place.string();
    }
    ShowError(text.c_str(), "Error");
}

SaveResult SaveCourseTo(const std::string& path) {
    if (CourseData::Save(path.c_str()) != 0) {
        ShowError("Error", "ファイルのオープンに失敗");
        return SaveResult::Failed;
    }
    currentFile = path;
    RecoveryCopy::Remove();
    EditHistory::MarkSaved();
    return SaveResult::Saved;
}

SaveResult SaveCourse(platform::WindowHandle owner) {
    std::string path;
    if (WinProfile::ChooseFile(owner, path, "CourseFileSave", settingsPath, CourseFilter,
                               platform::FileDialogMode::Save) != 0) {
        return SaveResult::Cancelled;
    }
    return SaveCourseTo(path);
}

// Saves to the current file, or asks for one when the course has none yet.
void SaveCourseToCurrentFile() {
    if (currentFile.empty()) {
        (void)SaveCourse(mainWindow);
    } else {
        (void)SaveCourseTo(currentFile);
    }
}

void StartNewCourse() {
    CourseData::NewCourse();
    currentFile.clear();
    EditHistory::Reset(true);
    RefreshShownViews();
}

int32_t SelectedPoint() {
    int32_t selected = -1;
    int32_t handleState = CourseData::HandlePoint;
    CourseData::GetHandle(selected, handleState);
    return selected;
}

void DeleteSelectedPoint() {
    const int32_t selected = SelectedPoint();
    if (selected == -1) {
        return;
    }
    CourseData::DeletePoint(selected);
    CourseData::SetHandle(-1, CourseData::HandlePoint);
    EditHistory::Commit();
    RefreshShownViews();
}

void ClearSelection() {
    CourseData::SetHandle(-1, CourseData::HandlePoint);
    RefreshShownViews();
}

void OnCommand(uint32_t code) {
    switch (static_cast<int>(code & 0xFFFFu)) {
    case NewCommand:
        if (ConfirmDiscard(mainWindow) == 0) {
            StartNewCourse();
        }
        break;
    case OpenCommand:
        if (ConfirmDiscard(mainWindow) == 0) {
            OpenCourse(mainWindow);
            RefreshShownViews();
        }
        break;
    case SaveCommand:
        SaveCourseToCurrentFile();
        break;
    case SaveAsCommand:
        SaveCourseAs(mainWindow);
        break;
    case UndoCommand:
        EditHistory::Undo();
        break;
    case RedoCommand:
        EditHistory::Redo();
        break;
    case DeleteCommand:
        DeleteSelectedPoint();
        break;
    case ClearSelectionCommand:
        ClearSelection();
        break;
    case FitCommand:
        FitCourseToViews();
        break;
    case FrameCommand:
        FrameSelectedPoint();
        break;
    case PointValuesCommand:
        EditSelectedPoint();
        break;
    case CombCommand:
        ParallelWindow::ShowComb(!ParallelWindow::IsCombShown());
        platform::CheckMenuItem(mainWindow, CombCommand, ParallelWindow::IsCombShown());
        break;
    case ExportCommand:
        ExportCourseAs(mainWindow);
        break;
    case ExchangeExportCommand:
        ExportForEngines(mainWindow);
        break;
    case TestDriveCommand:
        TorcsTestDrive::Start();
        break;
    case HelpCommand:
        ShowHelp();
        break;
    case AboutCommand:
        platform::MessageBox(mainWindow, AboutText, "バージョン情報",
                             platform::MessageBoxButtons::Ok);
        break;
    default:
        break;
    }
}

// The perspective window registers its texture between the picture bank's start and its
// decision; pictures can be read only after the decision.
void OnCreate(platform::WindowHandle window) {
    mainWindow = window;
    PictureBank::Initialize(16);
    PerspecTextureEngine::Initialize();
    DispControl::CreateDrawObjects();
    DrawButton::Init();
    ButtonControl::Create(window);
    InspectorWindow::Create(window);
    ParallelWindow::Create(window);
    ExpandWindow::Create(window);
    SpPointWindow::Create(window);
    PerspecWindow::Create(window);
    CourseData::Initialize();
    PictureBank::Decide();
}

void OnDestroy(platform::WindowHandle window) {
    TorcsTestDrive::Stop();
    WinProfile::SavePlacement(window, settingsPath, PlacementSection);
    platform::PostQuit(0);
}

std::intptr_t Procedure(platform::WindowHandle window, platform::Message message,
                        const platform::MessageArgs& args) {
    switch (message) {
    case platform::Message::Create:
        OnCreate(window);
        return 0;
    case platform::Message::Size:
        clientWidth = args.x;
        clientHeight = args.y;
        ApplyLayout();
        return 0;
    case platform::Message::Command:
        OnCommand(args.code);
        return 0;
    case platform::Message::Timer:
        if (args.code == TorcsTestDrive::TimerId) {
            TorcsTestDrive::Poll();
        } else {
            RecoveryCopy::Update(currentFile);
        }
        return 0;
    case platform::Message::Close:
        if (ConfirmDiscard(window) == 0) {
            platform::DestroyWindow(window);
        }
        return 0;
    case platform::Message::Destroy:
        OnDestroy(window);
        return 0;
    default:
        return platform::DefWindowProc(window, message, args);
    }
}

void CheckColourDepth() {
    if (platform::GetColorBits() != 16) {
        ShowError("システムのカラービットを16ビットにしてください!!", "Error");
        // Nothing is saved and nothing is shut down: the windows and the toolkit are
        // still up, so the process ends without running destructors.
        (void)std::fflush(nullptr);
        std::_Exit(0);
    }
}

void OpenStartCourse(const char* courseFile) {
    if (courseFile == nullptr) {
        return;
    }
    if (CourseData::Load(courseFile) != 0) {
        ShowError("ファイルのオープンに失敗", "Error");
        CourseData::NewCourse();
        return;
    }
    currentFile = courseFile;
    FitCourseToViews();
}

} // namespace

bool StartUp(const char* courseFile) {
    StartDirectory::Prepare();
    startDirectory = std::filesystem::current_path().string();
    settingsPath = (std::filesystem::path(startDirectory) / "Settei.ini").string();
    if (!platform::RegisterWindowClass({ClassName, Procedure, platform::Rgb15(192, 192, 192)})) {
        return false;
    }
    CourseData::ConnectLoopStateHook([](int32_t loop) { ButtonControl::SetLoopState(loop); });
    const platform::WindowHandle window =
        platform::CreateWindow(ClassName, Title, platform::MainWindow, 0, 0, 0, 0, 0);
    platform::SetMenu(window, Menu, 4);
    platform::AddShortcut(window, DeleteCommand, "Delete");
    platform::AddShortcut(window, ClearSelectionCommand, "Esc");
    platform::AddShortcut(window, PointValuesCommand, "Return; Enter");
    platform::SetWindowIcon(window, "MAIN_ICON");
    CheckColourDepth();
    WinProfile::RestorePlacement(window, settingsPath, PlacementSection);
    platform::UpdateWindow(window);
    currentFile.clear();
    OpenStartCourse(courseFile);
    const std::optional<std::string> restored = RecoveryCopy::Start(startDirectory);
    if (restored) {
        currentFile = *restored;
        FitCourseToViews();
    }
    EditHistory::Reset(!restored);
    RefreshShownViews();
    return true;
}

void ShutDown() {
    RecoveryCopy::End();
    ButtonControl::Destroy();
    InspectorWindow::End();
    DispControl::DeleteDrawObjects();
    PerspecTextureEngine::Release();
    CourseData::Destruct();
    DrawButton::End();
    PictureBank::Release();
    SpPointWindow::Destroy();
    // The other view classes and the hooks are released too, so the designer can start
    // again in the same process.
    CourseData::ConnectLoopStateHook(nullptr);
    ParallelWindow::End();
    ExpandWindow::End();
    PerspecWindow::End();
    ViewLayout::ClearViews();
    platform::UnregisterWindowClass(ClassName);
    mainWindow = 0;
}

int ProgramEntry(int argc, char** argv) {
    platform::StartApplication(argc, argv);
    if (!StartUp(argc > 1 ? argv[1] : nullptr)) {
        return 0;
    }
    const int exitCode = platform::RunMessageLoop();
    ShutDown();
    return exitCode;
}

platform::WindowHandle GetMainWindow() {
    return mainWindow;
}

const std::string& GetSettingsPath() {
    return settingsPath;
}

int ConfirmDiscard(platform::WindowHandle owner) {
    if (CourseData::IsChanged() == 0) {
        return 0;
    }
    const int answer = platform::MessageBox(mainWindow, "データが変更されています。保存しますか?",
                                            "Message", platform::MessageBoxButtons::YesNoCancel);
    if (answer == platform::AnswerYes) {
        // A save that failed keeps the course: the pending operation would discard it.
        return SaveCourse(owner) == SaveResult::Saved ? 0 : 1;
    }
    return answer == platform::AnswerNo ? 0 : 1;
}

void OpenCourse(platform::WindowHandle owner) {
    std::string path;
    if (WinProfile::ChooseFile(owner, path, "CourseFileOpen", settingsPath, CourseFilter,
                               platform::FileDialogMode::Open) != 0) {
        return;
    }
    if (CourseData::Load(path.c_str()) != 0) {
        ShowError("ファイルのオープンに失敗", "Error");
        return;
    }
    currentFile = path;
    EditHistory::Reset(true);
    FitCourseToViews();
}

int SaveCourseAs(platform::WindowHandle owner) {
    return SaveCourse(owner) == SaveResult::Cancelled ? 1 : 0;
}

int ExportCourseAs(platform::WindowHandle owner) {
    if (!CourseExport::HasRoad()) {
        ShowError(NoRoadText, "Error");
        return 1;
    }
    std::string path;
    if (WinProfile::ChooseFile(owner, path, "CobFileSave", settingsPath, CobFilter,
                               platform::FileDialogMode::Save) != 0) {
        return 1;
    }
    if (ExportCob(path.c_str()) != 0) {
        ShowError("Error", "ファイルのオープンに失敗");
    }
    return 0;
}

void ExportForEngines(platform::WindowHandle owner) {
    if (!CourseExport::HasRoad()) {
        ShowError(NoRoadText, "Error");
        return;
    }
    std::string path;
    if (WinProfile::ChooseFile(owner, path, "ExchangeFileSave", settingsPath, ExchangeFilters,
                               platform::FileDialogMode::SaveWithExtension) != 0) {
        return;
    }
    const std::optional<CourseExport::Format> format = CourseExport::FormatOf(path);
    if (!format) {
        ShowError("ファイル名の拡張子を .glb .gltf .obj .json .cob のどれかにしてください。",
                  "Error");
        return;
    }
    const std::string name =
        currentFile.empty() ? "course" : std::filesystem::path(currentFile).stem().string();
    const std::string texture = (std::filesystem::path(startDirectory) / "Texture.bmp").string();
    std::string failure;
    if (CourseExport::Write(*format, path, CourseExport::DefaultScale, texture, name, failure) !=
        0) {
        ShowError(failure.c_str(), "エクスポートに失敗");
    }
}

// The loop button edits the course (its Commit shows the state); a tool is shown in the
// status line; a view button arranges the views.
void OnPanelButton(int identifier) {
    if (identifier == ButtonControl::LoopButton) {
        CourseData::SetLoop(ButtonControl::GetLoopState());
        EditHistory::Commit();
        RefreshShownViews();
    } else if (identifier >= ButtonControl::EditTool &&
               identifier <= ButtonControl::CameraZoomTool) {
        ShowEditState();
    } else if ((identifier >= ButtonControl::TopViewButton &&
                identifier <= ButtonControl::FrontViewButton) ||
               (identifier >= ButtonControl::ExpandTopButton &&
                identifier <= ButtonControl::RollLayoutButton)) {
        ApplyLayout();
    }
}

void ApplyLayout() {
    ViewLayout::ApplyLayout(ButtonControl::GetCurrentView(), clientWidth, clientHeight);
    InspectorWindow::Place(0, ToolPanel::Height, ToolPanel::Width,
                           std::max(0, clientHeight - ToolPanel::Height));
}

void RefreshShownViews() {
    InspectorWindow::Update();
    ViewLayout::RefreshShownViews(ButtonControl::GetCurrentView());
}

void FrameSelectedPoint() {
    const int32_t selected = SelectedPoint();
    if (selected < 0 || selected >= CourseData::GetPointNum()) {
        return;
    }
    Vec3d place{};
    CourseData::GetPosition(selected, place.x, place.y, place.z);
    ParallelWindow::CentreOn(place);
    ExpandWindow::FramePoint(selected);
    RefreshShownViews();
}

void EditSelectedPoint() {
    const int32_t selected = SelectedPoint();
    if (selected < 0 || selected >= CourseData::GetPointNum()) {
        return;
    }
    const std::string title = "点 " + std::to_string(selected) + " の値";
    std::vector<platform::FormField> fields;
    const std::vector<std::string> labels = PointForm::Labels();
    const std::vector<std::string> values = PointForm::Texts(selected);
    for (size_t i = 0; i < labels.size(); ++i) {
        fields.push_back({labels[i], values[i]});
    }
    const std::optional<std::vector<std::string>> texts =
        platform::EditForm(mainWindow, title, fields, PointForm::Check);
    if (!texts) {
        return;
    }
    PointForm::Apply(selected, *texts);
    EditHistory::Commit();
    RefreshShownViews();
}

void FitCourseToViews() {
    ParallelWindow::FitCourse();
    ExpandWindow::FitCourse();
    RefreshShownViews();
}

void ShowEditState() {
    platform::EnableMenuItem(mainWindow, UndoCommand, EditHistory::CanUndo());
    platform::EnableMenuItem(mainWindow, RedoCommand, EditHistory::CanRedo());
    platform::SetStatusText(mainWindow, StatusText().c_str());
    RecoveryCopy::Schedule();
}

} // namespace WinMain
