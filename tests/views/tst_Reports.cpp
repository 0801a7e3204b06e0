#include "support/ErrorLogCheck.h"
#include "support/ViewFixture.h"
#include "views/ExpandControl.h"
#include "views/ExpandDisp.h"
#include "views/ParallelControl.h"
#include "views/ToolPanel.h"
#include "views/ViewLayout.h"

using ReportsTest = ViewTest;

// Every report of the views layer: the statement writes its one log line and ends the program.
TEST_F(ReportsTest, ImpossibleValuesAreReportedAndEndTheProgram) {
    AddPoints({{0, 0, 0}, {0, 0, 100}});
    CourseData::SetHandle(0, CourseData::HandlePoint);
    platform::Surface surface{40, 30};
    platform::DrawContext context;
    context.SelectSurface(&surface);
    CameraControl front = MakeViewCamera(CameraControl::Front, 40, 30);
    CameraControl unset{}; // a camera that was never given a state
    unset.Reset();
    const char* camera = "ありえないカメラ属性を検出";
    const char* button = "ありえないビューボタングループリメ[スIDを検出";
    const ReportCase rows[] = {
        {[&] { DispControl::DrawPoint(context, 1, 1, 40, 30, 2); }, "DispControl1",
         "ありえない点の性質フラグを検出"},
        {[] { DispControl::GetLinePen(0); }, "DispControl1", "ありえないフラグを検出"},
        {[&] { DispControl::DrawDesign(context, 1, 1, 2); }, "DispControl1",
         "ありえないデザインフラグを検出"},
        {[&] { ExpandDisp::Draw(front); }, "ExpandDisp1", camera},
        {[&] { ExpandDisp::Find(front, 0, 0); }, "ExpandDisp1", camera},
        {[&] { ExpandControl::Drag(front, ToolPanel::EditTool, 1, 1); }, "ExpandControl1", camera},
        {[&] { ExpandControl::Drag(front, ToolPanel::CameraMoveTool, 1, 1); }, "ExpandControl1",
         camera},
        {[&] { ParallelControl::Drag(unset, ToolPanel::EditTool, 10, 10); }, "ParallelControl1",
         camera},
        // Below the first view button, in the gap between the two groups, past the last.
        {[] { ViewLayout::LayoutIndexOfButton(106); }, "WinMain", button},
        {[] { ViewLayout::LayoutIndexOfButton(110); }, "WinMain", button},
        {[] { ViewLayout::LayoutIndexOfButton(117); }, "WinMain", button},
        {[] { ViewLayout::SplitSlots(4, 591, 400); }, "WinMain",
         "ウィンドウ分割フラグにありえない値を検出"},
        {[] { ViewLayout::RegisterView(ViewCount, {}); }, "WinMain",
         "ウィンドウIDにありえない値を検出"},
    };
    ExpectReports(rows);
}
