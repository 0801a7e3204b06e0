#include "app/ButtonControl.h"
#include "app/SpPointWindow.h"
#include "app/WinMain.h"
#include "model/CourseData.h"
#include "platform/Application.h"
#include "platform/Windows.h"
#include "platform/qt/HostWidget.h"
#include "platform/qt/WindowRegistry.h"
#include "support/DesignerFixture.h"
#include "support/ErrorLogCheck.h"

#include <QTest>
#include <vector>

using namespace platform;

namespace {

constexpr Colour15 Grid = Rgb15(96, 96, 96);

// The designer in a main window large enough to aim at the dial, in the roll layout.
class SpPointWindowTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        WindowPlacement large;
        large.normalPosition = {40, 50, 840, 650};
        SetWindowPlacement(WinMain::GetMainWindow(), large);
        PressPanelButton(ButtonControl::RollLayoutButton);
        ProcessPendingEvents();
        view = SpPointWindow::GetWindow(0);
    }

    void Send(Message message, int x, int y) {
        MessageArgs args;
        args.x = x;
        args.y = y;
        SendMessage(view, message, args);
    }
    void Click(int x, int y) {
        Send(Message::LeftDown, x, y);
        Send(Message::LeftUp, x, y);
    }
    void Drag(int x0, int y0, int x1, int y1) {
        Send(Message::LeftDown, x0, y0);
        Send(Message::MouseMove, x1, y1);
        Send(Message::LeftUp, x1, y1);
    }
    // The zoom tool drags the zoom down to the camera's least, 0.01, and then up by
    // hundredths; the edit tool is chosen again afterwards.
    void SetZoomInHundredths(int hundredths) {
        PressPanelButton(ButtonControl::CameraZoomTool);
        Drag(5, 5, 5, 3005);
        Drag(5, 500, 5, 500 - (hundredths - 1));
        PressPanelButton(ButtonControl::EditTool);
    }
    Point Centre() const {
        const Rect client = GetClientRect(view);
        return {client.right / 2, client.bottom / 2};
    }
    // Read off the painted window: the circle's leftmost pixel just above the cross.
    int CircleRadius() {
        UpdateWindow(view);
        const Surface* shown = GetWindowSurface(view);
        const Point c = Centre();
        for (int x = 0; shown != nullptr && x < c.x; ++x) {
            if (shown->Pixel(x, c.y - 1) == Grid) {
                return c.x - x;
            }
        }
        return 0;
    }
    static double Roll() {
        double roll = 0.0;
        CourseData::GetRoll(1, roll);
        return roll;
    }
    static double Slope(int32_t& fixed) {
        double slope = 0.0;
        fixed = CourseData::GetRollTangent(1, slope);
        return slope;
    }

    WindowHandle view = 0;
};

} // namespace

TEST_F(SpPointWindowTest, TheRollLayoutShowsTheDial) {
    PressPanelButton(ButtonControl::TopViewButton);
    EXPECT_FALSE(IsWindowVisible(view));
    PressPanelButton(ButtonControl::RollLayoutButton);
    ProcessPendingEvents();
    ASSERT_TRUE(IsWindowVisible(view));
    const Surface* shown = GetWindowSurface(view);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->Pixel(0, Centre().y), Grid); // the cross
    EXPECT_EQ(shown->Pixel(Centre().x, 0), Grid);
    EXPECT_FALSE(RegisterWindowClass({"SpPointWindow1_sppntwnd1", DefWindowProc, 0}));
}

// Point 1 of three is selected with roll 0 and slope 3. At the least zoom its roll point
// sits at the centre and its handle's end 30 pixels above a base 6 pixels right of it.
TEST_F(SpPointWindowTest, AGripOnTheHandleEndHoldsForLaterDragsAnywhere) {
    for (int x : {0, 100, 200}) {
        CourseData::AddPoint(x, 0, 0);
    }
    CourseData::SetRollTangent(1, 3.0, 1);
    CourseData::SetHandle(1, 0);
    SetZoomInHundredths(1);
    const Point c = Centre();
    Click(c.x + 6, c.y - 30);
    int32_t fixed = 0;
    EXPECT_DOUBLE_EQ(Slope(fixed), 3.0);

    // A real drag well away from the dial: up 10 pixels and sideways.
    QWidget* widget = FindWindowEntry(view)->host;
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(10, 40));
    QTest::mouseMove(widget, QPoint(60, 30));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(60, 30));
    ProcessPendingEvents();
    EXPECT_DOUBLE_EQ(Slope(fixed), 3.1);
    EXPECT_EQ(fixed, 1);
    EXPECT_DOUBLE_EQ(Roll(), 0.0);

    Drag(5, 5, 90, 5); // sideways only
    EXPECT_DOUBLE_EQ(Slope(fixed), 3.1);

    Click(c.x, c.y); // the roll point takes the grip back
    Drag(5, 5, 5, 15);
    EXPECT_DOUBLE_EQ(Roll(), 0.1);
    EXPECT_DOUBLE_EQ(Slope(fixed), 3.1);
}

TEST_F(SpPointWindowTest, APressWithoutASelectionChangesNothingButRedraws) {
    CourseData::AddPoint(0, 0, 0);
    CourseData::AddPoint(100, 0, 0);
    CourseData::SetHandle(-1, 0);
    const std::vector<unsigned char> before = CourseData::SaveToBytes();
    ProcessPendingEvents();
    // A stale pixel that only a repaint overwrites.
    auto* shown = const_cast<Surface*>(GetWindowSurface(view));
    ASSERT_NE(shown, nullptr);
    const Colour15 stale = Rgb15(255, 0, 255);
    shown->SetPixel(1, 1, stale);
    ProcessPendingEvents();
    ASSERT_EQ(shown->Pixel(1, 1), stale);

    const Point c = Centre();
    Click(c.x + 20, c.y);
    ProcessPendingEvents();
    EXPECT_NE(shown->Pixel(1, 1), stale);
    Drag(c.x, c.y, c.x, c.y + 20);
    EXPECT_EQ(CourseData::SaveToBytes(), before);
}

// The move's size message and the placing itself must not both scale the zoom.
TEST_F(SpPointWindowTest, PlacingScalesTheDialOnceWithTheWidthAndNoSizeKeepsTheZoom) {
    SpPointWindow::Place(91, 0, 302, 202); // a client area of 300 x 200
    SetZoomInHundredths(100);
    const int radius = CircleRadius();
    EXPECT_NEAR(radius, 70, 1);
    SpPointWindow::Place(91, 0, 602, 202);
    const int doubled = CircleRadius();
    EXPECT_NEAR(doubled, 2 * radius, 2);

    SpPointWindow::Place(91, 0, 0, 0);
    SendMessage(view, Message::Paint);
    EXPECT_EQ(GetWindowSurface(view), nullptr);
    SpPointWindow::Place(91, 0, 602, 202);
    EXPECT_EQ(CircleRadius(), doubled);
}

TEST(SpPointWindowReportTest, ImpossibleViewNumbersAndFlagsAreReported) {
    const CurrentDir inDir(DeathTestDirectory());
    EXPECT_REPORT(SpPointWindow::GetWindow(1), "SpPointWindow1", "ありえないフラグを検出");
    EXPECT_REPORT(SpPointWindow::SetVisible(2), "SpPointWindow1", "ありえない設定フラグを検出");
}
