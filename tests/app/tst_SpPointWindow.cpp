#include "app/ButtonControl.h"
#include "app/SpPointWindow.h"
#include "platform/Application.h"
#include "render/CameraControl.h"
#include "support/CourseTest.h"
#include "support/DesignerFixture.h"
#include "views/SpPointDisp.h"

#include <QTest>

using namespace ButtonControl;
using platform::Point;

namespace {

// The designer in a main window large enough to aim at the dial, in the roll layout, on
// three points of which point 1 is selected with roll 0 and slope 3.
class SpPointWindowTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        PlaceMainWindow(800, 600);
        AddPoints({{0, 0, 0}, {100, 0, 0}, {200, 0, 0}});
        CourseData::SetRollTangent(1, 3.0, 1);
        CourseData::SetHandle(1, CourseData::HandlePoint);
        ShowLayout(RollLayoutButton);
        view = SpPointWindow::GetWindow(0);
    }

    // The zoom tool drags the zoom down to the camera's least, 0.01, and then up by
    // hundredths; the edit tool is chosen again afterwards.
    void SetZoomInHundredths(int hundredths) {
        PressPanelButton(CameraZoomTool);
        Drag(view, 5, 5, 5, 3005);
        Drag(view, 5, 500, 5, 500 - (hundredths - 1));
        PressPanelButton(EditTool);
        zoom = hundredths / 100.0;
    }
    Point Centre() const {
        const platform::Rect client = platform::GetClientRect(view);
        return {client.right / 2, client.bottom / 2};
    }
    // Whether the window shows the dial of the course now, at the zoom set, with the grip.
    template <int Grip> bool ShowsDial() const {
        CameraControl camera;
        camera.Reset();
        camera.SetState(CameraControl::Front);
        camera.SetZoom(zoom);
        return ShowsView(view, camera, [](CameraControl& c) { SpPointDisp::Draw(c, Grip); });
    }
    static double Roll() {
        double roll = 0.0;
        CourseData::GetRoll(1, roll);
        return roll;
    }
    static double Slope() {
        double slope = 0.0;
        CourseData::GetRollTangent(1, slope);
        return slope;
    }

    platform::WindowHandle view = 0;
    double zoom = 0.0;
};

} // namespace

// At the least zoom the roll point sits at the centre and the handle's end 30 pixels above
// a base 6 pixels right of it.
TEST_F(SpPointWindowTest, AGripOnTheHandleEndHoldsForLaterDragsAnywhere) {
    SetZoomInHundredths(1);
    const Point c = Centre();
    Click(view, c.x + 6, c.y - 30);
    EXPECT_DOUBLE_EQ(Slope(), 3.0);
    EXPECT_TRUE(ShowsDial<SpPointDisp::GripHandle>());

    // A real drag well away from the dial: up 10 pixels and sideways.
    QTest::mousePress(HostOf(view), Qt::LeftButton, {}, QPoint(10, 40));
    QTest::mouseMove(HostOf(view), QPoint(60, 30));
    QTest::mouseRelease(HostOf(view), Qt::LeftButton, {}, QPoint(60, 30));
    platform::ProcessPendingEvents();
    EXPECT_DOUBLE_EQ(Slope(), 3.1);
    EXPECT_DOUBLE_EQ(Roll(), 0.0);
    EXPECT_TRUE(ShowsDial<SpPointDisp::GripHandle>());
    Drag(view, 5, 5, 90, 5); // sideways only
    EXPECT_DOUBLE_EQ(Slope(), 3.1);

    Click(view, c.x, c.y); // the roll point takes the grip back
    Drag(view, 5, 5, 5, 15);
    EXPECT_DOUBLE_EQ(Roll(), 0.1);
    EXPECT_DOUBLE_EQ(Slope(), 3.1);
    EXPECT_TRUE(ShowsDial<SpPointDisp::GripRoll>());
}

TEST_F(SpPointWindowTest, APressWithoutASelectionChangesNothingButRedraws) {
    CourseData::SetHandle(-1, CourseData::HandlePoint);
    const std::vector<unsigned char> before = CourseData::SaveToBytes();
    // A stale pixel that only a repaint overwrites.
    auto* shown = const_cast<platform::Surface*>(platform::GetWindowSurface(view));
    ASSERT_NE(shown, nullptr);
    shown->SetPixel(1, 1, platform::Rgb15(255, 0, 255));
    platform::ProcessPendingEvents();
    ASSERT_EQ(shown->Pixel(1, 1), platform::Rgb15(255, 0, 255));

    const Point c = Centre();
    Click(view, c.x + 20, c.y);
    platform::ProcessPendingEvents();
    EXPECT_NE(shown->Pixel(1, 1), platform::Rgb15(255, 0, 255));
    Drag(view, c.x, c.y, c.x, c.y + 20);
    EXPECT_EQ(CourseData::SaveToBytes(), before);
}

// The move's size message and the placing itself must not both scale the zoom.
TEST_F(SpPointWindowTest, PlacingScalesTheDialOnceWithTheWidthAndNoSizeKeepsTheZoom) {
    SpPointWindow::Place(91, 0, 302, 202); // a client area of 300 x 200
    SetZoomInHundredths(100);
    EXPECT_TRUE(ShowsDial<SpPointDisp::GripRoll>());
    SpPointWindow::Place(91, 0, 602, 202);
    zoom = 2.0;
    EXPECT_TRUE(ShowsDial<SpPointDisp::GripRoll>());
    SpPointWindow::Place(91, 0, 0, 0);
    platform::SendMessage(view, platform::Message::Paint);
    EXPECT_EQ(platform::GetWindowSurface(view), nullptr);
    SpPointWindow::Place(91, 0, 602, 202);
    EXPECT_TRUE(ShowsDial<SpPointDisp::GripRoll>());
}
