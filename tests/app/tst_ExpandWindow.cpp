#include "app/ButtonControl.h"
#include "app/ExpandWindow.h"
#include "app/WinMain.h"
#include "model/CourseData.h"
#include "platform/Application.h"
#include "platform/Windows.h"
#include "platform/qt/HostWidget.h"
#include "platform/qt/WindowRegistry.h"
#include "support/DesignerFixture.h"
#include "support/ErrorLogCheck.h"
#include "views/DevelopedCourse.h"
#include "views/ExpandDisp.h"

#include <QTest>

using DevelopedCourse::Pixel;
using platform::Message;

namespace {

constexpr platform::Colour15 Red = platform::Rgb15(255, 0, 0);

// The designer at 700 x 500 with a straight course of two points 100 apart along z.
class ExpandWindowTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        platform::WindowPlacement placement;
        placement.normalPosition = {0, 0, 700, 500};
        platform::SetWindowPlacement(WinMain::GetMainWindow(), placement);
        CourseData::AddPoint(0, 0, 0);
        CourseData::AddPoint(0, 0, 100);
    }

    platform::WindowHandle ShowView(int layoutButton, int view) {
        PressPanelButton(layoutButton);
        platform::ProcessPendingEvents();
        return ExpandWindow::GetWindow(view);
    }

    static void Send(platform::WindowHandle window, Message message, Pixel at) {
        platform::MessageArgs args;
        args.x = at.x;
        args.y = at.y;
        platform::SendMessage(window, message, args);
    }

    static Vec3d Position(int index) {
        Vec3d p{};
        CourseData::GetPosition(index, p.x, p.y, p.z);
        return p;
    }

    // Point 0's place in a view: its centre, side A and side B edges.
    static ExpandDisp::DevelopedPixels PointZeroIn(int view) {
        return ExpandDisp::DevelopPoint(ExpandWindow::GetCamera(view), Position(0), 20.0, 20.0,
                                        0.0);
    }

    static platform::Colour15 ShownMarker(platform::WindowHandle window, Pixel at) {
        platform::UpdateWindow(window);
        const platform::Surface* shown = platform::GetWindowSurface(window);
        return shown != nullptr ? shown->Pixel(at.x - 1, at.y - 1) : 0;
    }

    static std::array<int, 2> SelectionNow() {
        int32_t index = 0;
        int32_t state = 0;
        CourseData::GetHandle(index, state);
        return {index, state};
    }
};

} // namespace

TEST_F(ExpandWindowTest, TheHeightAndWidthLayoutsShowOneExpandedViewEach) {
    const platform::WindowHandle side = ShowView(ButtonControl::HeightLayoutButton, 1);
    EXPECT_TRUE(platform::IsWindowVisible(side));
    EXPECT_FALSE(platform::IsWindowVisible(ExpandWindow::GetWindow(0)));
    int width = 0;
    int height = 0;
    ExpandWindow::GetClientSize(1, width, height);
    EXPECT_GT(width, 500);
    EXPECT_GT(height, 150);

    const platform::WindowHandle top = ShowView(ButtonControl::WidthLayoutButton, 0);
    EXPECT_TRUE(platform::IsWindowVisible(top));
    EXPECT_FALSE(platform::IsWindowVisible(side));
    EXPECT_EQ(ExpandWindow::GetCamera(0).GetState(), CameraControl::Top);
    EXPECT_EQ(ExpandWindow::GetCamera(1).GetState(), CameraControl::Side);
}

TEST_F(ExpandWindowTest, ADragInTheSideViewRaisesTheSelectedPointWithThePointerHidden) {
    const platform::WindowHandle side = ShowView(ButtonControl::HeightLayoutButton, 1);
    CourseData::SetHandle(0, CourseData::HandlePoint);
    platform::SetCursorPos(40, 50);
    Send(side, Message::LeftDown, {300, 100}); // anywhere: the selection is dragged
    Send(side, Message::MouseMove, {303, 90});
    EXPECT_EQ(platform::ShowCursor(true), 0); // hidden at -1
    platform::ShowCursor(false);
    Send(side, Message::MouseMove, {305, 85});
    Send(side, Message::LeftUp, {305, 85});
    EXPECT_DOUBLE_EQ(Position(0).y, 0.8 * 15);
    EXPECT_EQ(SelectionNow(), (std::array<int, 2>{0, CourseData::HandlePoint}));
    const platform::Point back = platform::GetCursorPos();
    EXPECT_EQ(back.x, 40);
    EXPECT_EQ(back.y, 50);
    EXPECT_EQ(platform::GetCapture(), 0u);
    EXPECT_EQ(ShownMarker(side, PointZeroIn(1).centre), Red);
}

TEST_F(ExpandWindowTest, AClickInTheTopViewSelectsASideAndEmptySpaceSelectsNothing) {
    const platform::WindowHandle top = ShowView(ButtonControl::WidthLayoutButton, 0);
    const Pixel sideB = PointZeroIn(0).sideB;
    QWidget* widget = platform::FindWindowEntry(top)->host;
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(sideB.x + 1, sideB.y + 1)); // framed
    platform::ProcessPendingEvents();
    EXPECT_EQ(SelectionNow(), (std::array<int, 2>{0, CourseData::HandlePoint}));
    EXPECT_EQ(CourseData::GetSide(), 1);
    EXPECT_EQ(ShownMarker(top, sideB), Red);

    Send(top, Message::LeftDown, {5, 5});
    Send(top, Message::LeftUp, {5, 5});
    EXPECT_EQ(SelectionNow(), (std::array<int, 2>{0, CourseData::HandlePoint}));
    EXPECT_EQ(CourseData::GetPointNum(), 2);
}

TEST_F(ExpandWindowTest, ARightPressOnTheHeightHandleFreesItsYTangent) {
    const platform::WindowHandle side = ShowView(ButtonControl::HeightLayoutButton, 1);
    CourseData::SetTangent(0, 0.0, 40.0, 100.0, 1, 1, 1);
    CourseData::SetHandle(0, CourseData::HandlePoint);
    const Pixel ahead = DevelopedCourse::Project(ExpandWindow::GetCamera(1),
                                                 DevelopedCourse::HeightHandle(0, 0.0).ahead);
    Send(side, Message::RightDown, ahead);
    Send(side, Message::RightUp, ahead);
    int32_t fixedX = 0;
    int32_t fixedY = 0;
    int32_t fixedZ = 0;
    CourseData::GetTangentFixed(0, fixedX, fixedY, fixedZ);
    EXPECT_EQ(fixedX, 1);
    EXPECT_EQ(fixedY, 0);
    EXPECT_EQ(fixedZ, 1);
    EXPECT_EQ(platform::GetCapture(), 0u);
}

TEST_F(ExpandWindowTest, PlacingRescalesTheZoomByTheClientWidthExceptForZeroWidths) {
    const platform::WindowHandle top = ShowView(ButtonControl::WidthLayoutButton, 0);
    int width = 0;
    int height = 0;
    ExpandWindow::GetClientSize(0, width, height);
    const double zoom = ExpandWindow::GetCamera(0).GetZoom();
    // The same size again, frame included, keeps the zoom however often it is placed.
    for (int i = 0; i < 5; ++i) {
        ExpandWindow::Place(0, 91, 0, width + 2, height + 2);
    }
    EXPECT_DOUBLE_EQ(ExpandWindow::GetCamera(0).GetZoom(), zoom);
    ExpandWindow::Place(0, 91, 0, 0, 0);
    EXPECT_DOUBLE_EQ(ExpandWindow::GetCamera(0).GetZoom(), zoom);
    EXPECT_EQ(ExpandWindow::GetCamera(0).GetSurface(), nullptr);
    platform::SendMessage(top, Message::Paint); // a view of no size draws nothing
    EXPECT_EQ(platform::GetWindowSurface(top), nullptr);
    ExpandWindow::Place(0, 91, 0, width + 2, height + 2);
    EXPECT_DOUBLE_EQ(ExpandWindow::GetCamera(0).GetZoom(), zoom);
    const int half = width / 2;
    ExpandWindow::Place(0, 91, 0, half + 2, height + 2);
    EXPECT_DOUBLE_EQ(ExpandWindow::GetCamera(0).GetZoom(), zoom * half / width);
}

TEST(ExpandWindowReportTest, ViewNumbersOtherThanTheTwoAreReported) {
    const CurrentDir inDir(DeathTestDirectory());
    EXPECT_REPORT(ExpandWindow::GetWindow(2), "ExpandWindow1", "ありえないフラグを検出");
    EXPECT_REPORT(ExpandWindow::GetWindow(-1), "ExpandWindow1", "ありえないフラグを検出");
}
