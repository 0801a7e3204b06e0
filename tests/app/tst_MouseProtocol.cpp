#include "app/MouseProtocol.h"
#include "app/ViewMessages.h"
#include "platform/Application.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>

using namespace platform;

namespace {

// What the handlers of the recording table were told, in order.
std::string calls;

void Note(const std::string& what, int x, int y) {
    calls += (calls.empty() ? "" : " ") + what + std::to_string(x) + "," + std::to_string(y);
}

constexpr ViewMessageTable Recording{
    .size = [](WindowHandle, int width, int height) { Note("size ", width, height); },
    .leftPress = [](WindowHandle, int x, int y) { Note("press ", x, y); },
    .rightPress = [](WindowHandle, int x, int y) { Note("right ", x, y); },
    .drag =
        [](WindowHandle, const MouseProtocol::Drag& drag) {
            Note("drag ", drag.previousX, drag.previousY);
            Note(">", drag.x, drag.y);
        },
    .leftRelease = [](WindowHandle, int x, int y,
                      bool dragged) { Note(dragged ? "drop " : "click ", x, y); },
};

MouseProtocol mouse;

std::intptr_t Procedure(WindowHandle window, Message message, const MessageArgs& args) {
    return DispatchViewMessage(Recording, mouse, window, message, args);
}

class MouseProtocolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(RegisterWindowClass({"ProtocolWindow", Procedure, 0}));
        window = CreateWindow("ProtocolWindow", "", MainWindow | VisibleStyle, 0, 0, 100, 100, 0);
        mouse = MouseProtocol{};
    }
    void TearDown() override {
        DestroyWindow(window);
        ProcessPendingEvents();
        UnregisterWindowClass("ProtocolWindow");
    }

    // Plays a script: L, l, R, r, M and S with x,y send a left or right press or release, a
    // move or a size; P moves the pointer away, + raises the pointer's display count, c
    // expects the mouse captured and h the pointer hidden.
    void Play(const std::string& script) {
        constexpr const char* Letters = "LlRrMS";
        constexpr Message Messages[] = {Message::LeftDown, Message::LeftUp,    Message::RightDown,
                                        Message::RightUp,  Message::MouseMove, Message::Size};
        std::istringstream steps(script);
        for (std::string step; steps >> step;) {
            MessageArgs args;
            char comma = 0;
            std::istringstream(step.substr(1)) >> args.x >> comma >> args.y;
            if (step == "P") {
                SetCursorPos(70, 70);
            } else if (step == "+") {
                ShowCursor(true);
            } else if (step == "c") {
                EXPECT_EQ(GetCapture(), window);
            } else if (step == "h") {
                EXPECT_EQ(ShowCursor(true), 0) << "hidden at -1";
                ShowCursor(false);
            } else {
                SendMessage(window, Messages[std::string(Letters).find(step[0])], args);
            }
        }
    }

    WindowHandle window = 0;
};

} // namespace

// A release after no move is a click; the first move of a drag hides the pointer and the
// release puts it back where the drag started; the mouse is held from the first press to
// the last release; only the left button alone drags.
TEST_F(MouseProtocolTest, PressesMovesAndReleasesBecomeClicksAndDrags) {
    const std::pair<const char*, const char*> rows[] = {
        {"M3,3 L5,5 c l5,5", "press 5,5 click 5,5"},
        {"L5,5 M8,3 c h P M9,1 l9,1", "press 5,5 drag 5,5 >8,3 drag 8,3 >9,1 drop 9,1"},
        {"+ L5,5 M8,3 h l8,3", "press 5,5 drag 5,5 >8,3 drop 8,3"},
        {"R5,5 c M7,7 h P r7,7", "right 5,5"},
        {"L5,5 R6,6 M10,10 h l10,10 c M12,10 h r12,10", "press 5,5 right 6,6 drop 10,10"},
        {"R5,5 L6,6 M7,7 r7,7 M9,9 h l9,9", "right 5,5 press 6,6 drag 7,7 >9,9 drop 9,9"},
        {"S10,20", "size 10,20"},
    };
    for (const auto& [script, expected] : rows) {
        SCOPED_TRACE(script);
        calls.clear();
        SetCursorPos(40, 50);
        Play(script);
        EXPECT_EQ(calls, expected);
        EXPECT_EQ(GetCapture(), 0u);
        EXPECT_EQ(GetCursorPos().x, 40);
        EXPECT_EQ(GetCursorPos().y, 50);
        EXPECT_EQ(ShowCursor(false), -1) << "the pointer is shown again";
        ShowCursor(true);
    }
}
