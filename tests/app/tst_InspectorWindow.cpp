// Seeing and measuring the course in the designer: fitting and framing the views, the
// inspector and its warnings, the point form and the curvature comb.

#include "app/ExpandWindow.h"
#include "app/InspectorWindow.h"
#include "app/ParallelWindow.h"
#include "app/WinMain.h"
#include "model/CourseData.h"
#include "render/CameraControl.h"
#include "support/DesignerFixture.h"
#include "views/CourseOverlay.h"
#include "views/InspectorText.h"
#include "views/ParallelDisp.h"
#include "views/ViewFit.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QWidget>

namespace {

using enum WinMain::MenuCommand;

const std::string FoldCourse = VELMORA_SOURCE_DIR "/tests/data/views/fold/course.cus";

Vec3d ScreenOf(const CameraControl& camera, const Vec3d& world) {
    Vec3d screen{};
    camera.WorldToScreen(world, screen);
    return screen;
}

// Both corners of the box lie inside the camera's view, and one of them on the margin
// that a fit leaves along the tighter axis.
void ExpectFitted(const CameraControl& camera, const Box& box) {
    int width = 0;
    int height = 0;
    camera.GetScreenSize(width, height);
    const Vec3d low = ScreenOf(camera, box.low);
    const Vec3d high = ScreenOf(camera, box.high);
    for (const Vec3d& corner : {low, high}) {
        EXPECT_GE(corner.x, 0.0);
        EXPECT_LE(corner.x, width);
        EXPECT_GE(corner.y, 0.0);
        EXPECT_LE(corner.y, height);
    }
    const double margin = (1.0 - ViewFit::Fill) / 2.0;
    EXPECT_TRUE(std::abs(low.x - margin * width) <= 1.0 ||
                std::abs(high.y - margin * height) <= 1.0)
        << low.x << " " << high.y;
}

void ExpectCentredOn(const CameraControl& camera, const Vec3d& place) {
    int width = 0;
    int height = 0;
    camera.GetScreenSize(width, height);
    const Vec3d at = ScreenOf(camera, place);
    EXPECT_NEAR(at.x, width / 2, 1.0);
    EXPECT_NEAR(at.y, height / 2, 1.0);
}

class InspectorTest : public DesignerTest {
protected:
    void OpenFoldCourse() {
        fileAnswers.push_back(FoldCourse);
        Command(OpenCommand);
    }
};

TEST_F(InspectorTest, OpeningAndHomeFitTheCourseAndFCentresTheSelectedPoint) {
    OpenFoldCourse();
    const ::Box road = *ViewFit::CourseBox();
    for (int view = 0; view < 3; ++view) {
        ExpectFitted(ParallelWindow::GetCamera(view), road);
    }
    ExpectFitted(ExpandWindow::GetCamera(ExpandWindow::ExpandTop),
                 *ViewFit::DevelopedBox(DevelopedCourse::InSpace));
    ExpectFitted(ExpandWindow::GetCamera(ExpandWindow::ExpandSide),
                 *ViewFit::DevelopedBox(DevelopedCourse::OnGround));

    CourseData::SetHandle(4, CourseData::HandlePoint);
    Command(FrameCommand);
    Vec3d point{};
    CourseData::GetPosition(4, point.x, point.y, point.z);
    ExpectCentredOn(ParallelWindow::GetCamera(0), point);
    ExpectCentredOn(ExpandWindow::GetCamera(ExpandWindow::ExpandSide),
                    ViewFit::DevelopedPlace(4, DevelopedCourse::OnGround));
    Command(FitCommand);
    ExpectFitted(ParallelWindow::GetCamera(0), road);
}

// The fold course warns of folds on segments 1 and 2 and of its climb on segment 3.
TEST_F(InspectorTest, AClickOnAWarningSelectsItsSegmentAndCentresTheViewsOnIt) {
    OpenFoldCourse();
    const CourseAnalysis::Analysis& analysis = InspectorWindow::Current();
    ASSERT_EQ(analysis.warnings.size(), 4U);
    const std::vector<InspectorText::Line> lines = InspectorText::Lines(analysis);
    const auto showsThirdWarning = [&lines](int y) {
        const int line = InspectorWindow::LineAt(y);
        return line >= 0 && lines[static_cast<size_t>(line)].warning == 2;
    };
    int y = 0;
    while (y < 1000 && !showsThirdWarning(y)) {
        ++y;
    }
    ASSERT_LT(y, 1000);
    Click(InspectorWindow::GetWindow(), 5, y);
    int32_t selected = -1;
    int32_t handle = 0;
    CourseData::GetHandle(selected, handle);
    EXPECT_EQ(selected, 3);
    Vec3d point{};
    CourseData::GetPosition(3, point.x, point.y, point.z);
    ExpectCentredOn(ParallelWindow::GetCamera(0), point);
    EXPECT_EQ(MainFrame()->findChild<QStatusBar*>()->findChild<QLabel*>()->text().toStdString(),
              CourseAnalysis::Message(analysis.warnings[2], CourseAnalysis::Language::Japanese));
}

// The form opens on the point a double click selected; refused texts keep it open, OK
// applies them as one step.
TEST_F(InspectorTest, TheFormSetsTheSelectedPointAsOneStep) {
    OpenFoldCourse();
    std::string title;
    std::string refusal;
    platform::SetFormResponder([&](std::string_view shownTitle,
                                   const std::vector<platform::FormField>& fields,
                                   const platform::FormCheck& check) {
        title = shownTitle;
        std::vector<std::string> texts;
        for (const platform::FormField& field : fields) {
            texts.push_back(field.text);
        }
        texts[0] = "1e400";
        refusal = check(texts);
        texts[0] = "150";
        texts[3] = "-12";
        return std::optional(texts);
    });
    const std::vector<unsigned char> before = CourseData::SaveToBytes();
    CourseData::SetHandle(2, CourseData::HandlePoint);
    Send(ParallelWindow::GetWindow(0), platform::Message::LeftDoubleClick, 10, 10);
    platform::SetFormResponder({});
    EXPECT_EQ(title, "点 2 の値");
    EXPECT_EQ(refusal, "「x」には数値を入力してください");
    Vec3d moved{};
    CourseData::GetPosition(2, moved.x, moved.y, moved.z);
    EXPECT_EQ(moved.x, 150.0);
    double roll = 0.0;
    CourseData::GetRoll(2, roll);
    EXPECT_NEAR(roll, -12.0 * 3.141592653589793 / 180.0, 1e-12);
    Command(UndoCommand);
    CourseData::SetHandle(-1, CourseData::HandlePoint);
    EXPECT_EQ(CourseData::SaveToBytes(), before);
}

TEST_F(InspectorTest, CTogglesTheCombInTheTopView) {
    OpenFoldCourse();
    const auto withComb = [](CameraControl& camera) {
        ParallelDisp::Draw(camera, 1);
        CourseOverlay::DrawWarnings(camera, InspectorWindow::Current().warnings);
        CourseOverlay::DrawComb(camera);
    };
    Command(CombCommand);
    EXPECT_TRUE(ShowsView(ParallelWindow::GetWindow(0), ParallelWindow::GetCamera(0), withComb));
    const QAction* item = MainFrame()->findChild<QAction*>(QString::number(CombCommand));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isChecked());
    Command(CombCommand);
    EXPECT_FALSE(ParallelWindow::IsCombShown());
    EXPECT_FALSE(item->isChecked());
}

} // namespace
