#include "app/ButtonControl.h"
#include "app/ParallelWindow.h"
#include "app/WinMain.h"
#include "platform/Application.h"
#include "platform/Windows.h"
#include "platform/qt/HostWidget.h"
#include "platform/qt/WindowRegistry.h"
#include "support/CourseTest.h"
#include "support/DesignerFixture.h"
#include "support/ErrorLogCheck.h"

#include <QTest>

using platform::Message;

namespace {

constexpr platform::Colour15 Red = platform::Rgb15(255, 0, 0);

// The designer with the top view filling the area right of the tool panel.
class ParallelWindowTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        platform::WindowPlacement placement;
        placement.normalPosition = {0, 0, 700, 500};
        platform::SetWindowPlacement(WinMain::GetMainWindow(), placement);
        PressPanelButton(ButtonControl::TopViewButton);
        platform::ProcessPendingEvents();
        top = ParallelWindow::GetWindow(0);
    }

    void Send(Message message, int x, int y) {
        platform::MessageArgs args;
        args.x = x;
        args.y = y;
        platform::SendMessage(top, message, args);
    }

    void Click(int x, int y) {
        Send(Message::LeftDown, x, y);
        Send(Message::LeftUp, x, y);
    }

    static Vec3d WorldAt(int x, int y) {
        Vec3d world{};
        ParallelWindow::GetCamera(0).ScreenToWorld(x, y, world);
        return world;
    }

    platform::WindowHandle top = 0;
};

} // namespace

TEST_F(ParallelWindowTest, AClickAddsAPointUnderTheMouseAndThePaintShowsItSelected) {
    EXPECT_FALSE(platform::IsWindowVisible(ParallelWindow::GetWindow(1))); // not in this layout
    QWidget* widget = platform::FindWindowEntry(top)->host;
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(61, 41)); // inside the 1-pixel frame
    platform::ProcessPendingEvents();
    ASSERT_EQ(CourseData::GetPointNum(), 1);
    EXPECT_DOUBLE_EQ(PositionOf(0).x, WorldAt(60, 40).x);
    EXPECT_DOUBLE_EQ(PositionOf(0).z, WorldAt(60, 40).z);
    Click(200, 150);
    ASSERT_EQ(CourseData::GetPointNum(), 2);
    platform::UpdateWindow(top);
    const platform::Surface* shown = platform::GetWindowSurface(top);
    ASSERT_NE(shown, nullptr);
    // The marker's left edge; the round trip through the world may move it by a pixel.
    Vec3d screen{};
    ParallelWindow::GetCamera(0).WorldToScreen(PositionOf(1), screen);
    EXPECT_EQ(shown->Pixel(static_cast<int>(screen.x) - 3, static_cast<int>(screen.y)), Red);
}

TEST_F(ParallelWindowTest, ADragMovesTheSelectedPointWithThePointerHiddenUntilTheRelease) {
    Click(100, 100);
    const Vec3d start = PositionOf(0);
    platform::SetCursorPos(40, 50);
    Send(Message::LeftDown, 300, 200); // away from the point
    Send(Message::MouseMove, 310, 195);
    EXPECT_EQ(platform::ShowCursor(true), 0); // hidden at -1
    platform::ShowCursor(false);
    Send(Message::MouseMove, 315, 195);
    Send(Message::LeftUp, 315, 195);
    EXPECT_EQ(CourseData::GetPointNum(), 1); // the release after a drag adds nothing
    EXPECT_DOUBLE_EQ(PositionOf(0).x, start.x + 0.8 * 15);
    EXPECT_DOUBLE_EQ(PositionOf(0).z, start.z + 0.8 * 5);
    const platform::Point back = platform::GetCursorPos();
    EXPECT_EQ(back.x, 40);
    EXPECT_EQ(back.y, 50);
    EXPECT_EQ(platform::ShowCursor(false), -1); // shown again
    platform::ShowCursor(true);
    EXPECT_EQ(platform::GetCapture(), 0u);
}

TEST_F(ParallelWindowTest, MovesWithBothButtonsHeldChangeNothing) {
    Click(100, 100);
    const Vec3d start = PositionOf(0);
    Send(Message::LeftDown, 300, 200);
    Send(Message::RightDown, 300, 200);
    Send(Message::MouseMove, 330, 220);
    Send(Message::LeftUp, 330, 220);
    Send(Message::MouseMove, 340, 230);
    Send(Message::RightUp, 340, 230);
    EXPECT_EQ(CourseData::GetPointNum(), 1);
    EXPECT_EQ(PositionOf(0).x, start.x);
    EXPECT_EQ(PositionOf(0).z, start.z);
    EXPECT_EQ(platform::GetCapture(), 0u);
}

TEST_F(ParallelWindowTest, PlacingRescalesTheZoomByTheClientWidthExceptForZeroWidths) {
    int width = 0;
    int height = 0;
    ParallelWindow::GetClientSize(0, width, height);
    const double zoom = ParallelWindow::GetCamera(0).GetZoom();
    // The same size again, frame included, keeps the zoom.
    ParallelWindow::Place(0, 91, 0, width + 2, height + 2);
    EXPECT_DOUBLE_EQ(ParallelWindow::GetCamera(0).GetZoom(), zoom);
    ParallelWindow::Place(0, 91, 0, 0, 0);
    EXPECT_DOUBLE_EQ(ParallelWindow::GetCamera(0).GetZoom(), zoom);
    platform::UpdateWindow(top); // a view of no size draws nothing
    ParallelWindow::Place(0, 91, 0, width + 2, height + 2);
    EXPECT_DOUBLE_EQ(ParallelWindow::GetCamera(0).GetZoom(), zoom);
    ParallelWindow::Place(0, 91, 0, width / 2 + 2, height + 2);
    EXPECT_DOUBLE_EQ(ParallelWindow::GetCamera(0).GetZoom(), zoom * (width / 2) / width);
}

TEST(ParallelWindowReportTest, ViewNumbersBeyondTheThreeAreReported) {
    CurrentDir inDir(DeathTestDirectory());
    EXPECT_REPORT(ParallelWindow::GetWindow(3), "ParallelWindow1", "ありえないフラグを検出");
    EXPECT_REPORT(ParallelWindow::GetWindow(-1), "ParallelWindow1", "ありえないフラグを検出");
}
