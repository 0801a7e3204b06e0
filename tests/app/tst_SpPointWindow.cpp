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

    // The zoom tool drags the zoom down to the camera's least, 0.01; the edit tool is
    // chosen again afterwards.
    void SetLeastZoom() {
        PressPanelButton(CameraZoomTool);
        Drag(view, 5, 5, 5, 3005);
        PressPanelButton(EditTool);
    }
    // Whether the window shows the dial of the course now, at the least zoom, with the grip.
    template <int Grip> bool ShowsDial() const {
        CameraControl camera;
        camera.Reset();
        camera.SetState(CameraControl::Front);
        camera.SetZoom(0.01);
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
};

} // namespace

// At the least zoom the roll point sits at the centre and the handle's end 30 pixels above
// a base 6 pixels right of it.
TEST_F(SpPointWindowTest, AGripOnTheHandleEndHoldsForLaterDragsAnywhere) {
    SetLeastZoom();
    const platform::Rect client = platform::GetClientRect(view);
    const Point c{client.right / 2, client.bottom / 2};
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
