#pragma once

#include "platform/Windows.h"

#include <string>

// The program's entry and owner of everything else: the main window "MyWin" with its
// menu, start-up and shutdown of every component, the file commands with the save
// prompt, and the arrangement of the views to the right of the tool panel.
namespace WinMain {

// The identifiers the menu items and the shortcuts send with Command.
enum MenuCommand {
    NewCommand = 117,
    OpenCommand,
    SaveAsCommand,
    ExportCommand,
    HelpCommand,
    AboutCommand,
    SaveCommand,
    UndoCommand,
    RedoCommand,
    DeleteCommand,
    ClearSelectionCommand,
    FitCommand,
    FrameCommand,
    CombCommand,
    PointValuesCommand,
    ExchangeExportCommand,
    TestDriveCommand
};

// Start-up, message loop, shutdown; the exit code.
int ProgramEntry(int argc, char** argv);

// Start-up up to the message loop, in the designer's order; an optional course file is
// opened once the window is placed. False when the main window class cannot be
// registered. A display that is not 16-bit ends the process after its message.
bool StartUp(const char* courseFile);
void ShutDown();

platform::WindowHandle GetMainWindow();
const std::string& GetSettingsPath();

// 1 when the pending operation is to be abandoned, 0 when it may go on.
int ConfirmDiscard(platform::WindowHandle owner);
void OpenCourse(platform::WindowHandle owner);
// 1 when the user cancelled the dialog, else 0.
int SaveCourseAs(platform::WindowHandle owner);
int ExportCourseAs(platform::WindowHandle owner);
// エクスポート...: the course in the format the chosen file's extension names (glTF binary or
// text, OBJ, JSON sample rows, .cob), textured with the start directory's Texture.bmp.
void ExportForEngines(platform::WindowHandle owner);

// The view layout: called by the tool panel after a press, by the main window on every
// size change and by the views after every stored edit, which the inspector checks first.
void OnPanelButton(int identifier);
void ApplyLayout();
void RefreshShownViews();
// Greys out Undo and Redo when there is nothing to undo or redo, and shows the course's
// file with its changed mark and the current tool in the status line.
void ShowEditState();
// Fits the whole course into the top, side, front and developed views; a course without
// points leaves them as they are.
void FitCourseToViews();
// Centres every editing view on the selected point, zoom unchanged; nothing without one.
void FrameSelectedPoint();
// The selected point's form; OK sets the values typed as one step of the edit history.
void EditSelectedPoint();

} // namespace WinMain
