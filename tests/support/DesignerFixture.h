#pragma once

#include "platform/Dialogs.h"
#include "platform/Windows.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

class CameraControl;
class QWidget;

// A started designer in a scratch start directory. Message boxes and file dialogs are
// answered from queues the test fills; what they were asked is recorded.
class DesignerTest : public ::testing::Test {
protected:
    struct Box {
        std::string text;
        std::string title;
    };

    void SetUp() override;
    void TearDown() override;
    // What a test prepares in the start directory before the designer starts.
    virtual void BeforeStart() {}

    // Closes the main window as the user would; true when it was destroyed.
    bool CloseMainWindow();
    void Command(int identifier);
    // A press and release of the left button on a panel button.
    void PressPanelButton(int identifier);
    // The main window at the screen's top left, of this outer size.
    void PlaceMainWindow(int width, int height);
    // Presses a view button and lets the views it shows paint.
    void ShowLayout(int viewButton);

    TempDir dir;
    std::optional<CurrentDir> inDir;
    std::vector<int> boxAnswers; // consumed front first; AnswerOk when empty
    std::vector<std::optional<std::string>> fileAnswers; // consumed front first; cancel when empty
    std::vector<Box> boxes;
    std::vector<platform::FileDialogRequest> dialogs;
    std::vector<std::string> sounds;
    std::vector<std::string> helps;
    bool started = false;
};

// The main window's toolkit frame, for its menus and status line.
QWidget* MainFrame();

// Mouse messages as a window receives them, at client pixels.
void Send(platform::WindowHandle window, platform::Message message, int x = 0, int y = 0);
void Click(platform::WindowHandle window, int x, int y);
// A left press, one move and the release.
void Drag(platform::WindowHandle window, int x0, int y0, int x1, int y1);

// Whether the window's last paint shows, from row `top` down, the picture's top rows.
bool ShowsPicture(platform::WindowHandle window, const platform::Surface& picture, int top = 0);
// Whether the window shows, once it has painted, what `draw` makes of the course now
// through a camera that looks like `like` (state, centre and zoom) at the window's size.
bool ShowsView(platform::WindowHandle window, const CameraControl& like,
               void (*draw)(CameraControl&));

// Death tests here start a new process that repeats the test's body, so a start directory
// that both must see is handed down through the environment: the first call makes it.
// Each test gets a folder of its own in it.
std::filesystem::path DeathTestDirectory();
