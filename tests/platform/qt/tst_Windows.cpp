#include "platform/Application.h"
#include "platform/Windows.h"
#include "platform/qt/HostWidget.h"
#include "platform/qt/WindowRegistry.h"

#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace platform;

namespace {

// What the test windows received, as "window:message x,y keys" lines.
std::vector<std::string> received;
Colour15 paintColour = 0;

// The recorded messages' names, in the order of the enumeration; the rest go unrecorded.
const char* Name(Message message) {
    constexpr const char* Names[] = {"create", "destroy", nullptr, nullptr, "setcursor",
                                     "move",   "ldown",   "lup",   "rdown", "rup",
                                     nullptr,  nullptr,   "timer"};
    const auto index = static_cast<std::size_t>(message);
    return index < std::size(Names) ? Names[index] : nullptr;
}

std::intptr_t Recorder(WindowHandle window, Message message, const MessageArgs& args) {
    if (message == Message::Paint) {
        DrawContext& context = BeginPaint(window);
        const Brush brush{paintColour};
        const Brush* previous = context.SelectBrush(&brush);
        context.PatBlt(0, 0, 2, 2);
        context.SelectBrush(previous);
        EndPaint(window);
        return 0;
    }
    if (const char* name = Name(message)) {
        std::string line = std::to_string(window) + ":" + name;
        if (message == Message::Timer) {
            line += " " + std::to_string(args.code);
        } else if (message != Message::Create && message != Message::Destroy &&
                   message != Message::SetCursor) {
            line += " " + std::to_string(args.x) + "," + std::to_string(args.y) + " " +
                    std::to_string(args.keys);
        }
        received.push_back(line);
    }
    return DefWindowProc(window, message, args);
}

class PlatformWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        received.clear();
        ASSERT_TRUE(RegisterWindowClass({"TestWindow", Recorder, Rgb15(0, 0, 255)}));
        top = CreateWindow("TestWindow", "test", MainWindow | VisibleStyle, 50, 50, 400, 300, 0);
        child = CreateWindow("TestWindow", "", ChildWindow | VisibleStyle | BorderStyle, 10, 10,
                             100, 80, top);
        other = CreateWindow("TestWindow", "", ChildWindow | VisibleStyle, 200, 10, 100, 80, top);
        ProcessPendingEvents();
        received.clear();
    }
    void TearDown() override {
        ReleaseCapture();
        DestroyWindow(top);
        ProcessPendingEvents();
        UnregisterWindowClass("TestWindow");
    }
    static QWidget* Widget(WindowHandle window) { return FindWindowEntry(window)->host; }
    std::string Line(WindowHandle window, const std::string& rest) {
        return std::to_string(window) + ":" + rest;
    }

    WindowHandle top = 0;
    WindowHandle child = 0;
    WindowHandle other = 0;
};

} // namespace

TEST_F(PlatformWindowTest, MovesOverAFreeWindowAskForTheCursorFirst) {
    QTest::mouseMove(Widget(other), QPoint(5, 6));
    ProcessPendingEvents();
    ASSERT_GE(received.size(), 2u);
    EXPECT_EQ(received[received.size() - 2], Line(other, "setcursor"));
    EXPECT_EQ(received.back(), Line(other, "move 5,6 0"));
}

TEST_F(PlatformWindowTest, CaptureSendsEveryMouseMessageToTheCapturingWindow) {
    SetCapture(child);
    EXPECT_EQ(GetCapture(), child);
    QTest::mousePress(Widget(other), Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseRelease(Widget(other), Qt::RightButton, {}, QPoint(5, 5));
    ProcessPendingEvents();
    ASSERT_GE(received.size(), 2u);
    // other lies 190 pixels right of child; child's client area starts 1 pixel in.
    EXPECT_EQ(received[received.size() - 2], Line(child, "rdown 194,4 2"));
    EXPECT_EQ(received.back(), Line(child, "rup 194,4 0"));
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), 0u);
}

// The surface is shown inside the frame of a bordered window, where its client area lies.
TEST_F(PlatformWindowTest, PaintingShowsTheSurfaceWithFullIntensityChannels) {
    paintColour = Rgb15(255, 0, 0);
    UpdateWindow(other);
    const Surface* surface = GetWindowSurface(other);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->Pixel(0, 0), 0x7C00);
    EXPECT_EQ(surface->Pixel(2, 2), Rgb15(0, 0, 255));
    const QImage shown = Widget(other)->grab().toImage();
    EXPECT_EQ(shown.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(50, 50), qRgb(0, 0, 255));

    EXPECT_EQ(GetClientRect(other).right, 100);
    const Rect client = GetClientRect(child);
    EXPECT_EQ(client.right, 98);
    EXPECT_EQ(client.bottom, 78);
    const Rect window = GetWindowRect(child);
    EXPECT_EQ(ClientToScreen(child, {0, 0}).x, window.left + 1);
    EXPECT_EQ(ClientToScreen(child, {0, 0}).y, window.top + 1);
    UpdateWindow(child);
    const QImage framed = Widget(child)->grab().toImage();
    EXPECT_EQ(framed.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(framed.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(framed.pixel(3, 3), qRgb(0, 0, 255));
}

// A timer set again while it waits still fires once; once fired it can be set again.
TEST_F(PlatformWindowTest, ATimerFiresOnceHoweverOftenItIsSetWhileItWaits) {
    SetTimer(top, 7, 10);
    SetTimer(top, 7, 10);
    SetTimer(other, 7, 10);
    QTest::qWait(200);
    EXPECT_EQ(received, (std::vector<std::string>{Line(top, "timer 7"), Line(other, "timer 7")}));
    SetTimer(top, 7, 10);
    QTest::qWait(200);
    EXPECT_EQ(received.size(), 3U);
    // Set again while it waits, a timer keeps its first delay rather than starting over.
    SetTimer(top, 8, 60000);
    SetTimer(top, 8, 10);
    QTest::qWait(200);
    EXPECT_EQ(received.size(), 3U);
}
