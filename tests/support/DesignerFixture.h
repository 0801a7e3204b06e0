#pragma once

#include "platform/Dialogs.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

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
    virtual const char* StartFile() { return nullptr; }

    // Closes the main window as the user would; true when it was destroyed.
    bool CloseMainWindow();
    void Command(int identifier);
    // A press and release of the left button on a panel button.
    void PressPanelButton(int identifier);
    void HoverPanelButton(int identifier);
    void LeavePanelButton(int identifier);
    int Level(int identifier);

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

// Death tests here start a new process that repeats the test's body, so a start directory
// that both must see is handed down through the environment: the first call makes it.
// Each test gets a folder of its own in it.
std::filesystem::path DeathTestDirectory();
