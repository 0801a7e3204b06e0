#include "model/CourseData.h"
#include "model/StraightDataBase.h"
#include "model/UnitSpline.h"
#include "support/ErrorLogCheck.h"

#include <vector>

namespace {

using ModelReportTest = ScratchDirTest;

// Each statement starts from a model never initialised in the child that runs it.
TEST_F(ModelReportTest, MisuseEndsTheProgramWithItsReport) {
    const auto oneRecord = [] {
        StraightDataBase db(sizeof(int));
        const int record = 1;
        db.AddData(&record);
        return db;
    };
    const std::vector<SplinePoint> tooMany(UnitSpline::MaxPoints + 1,
                                           {0.0, 0.0, UnitSpline::PointAuto});
    const ReportCase reports[] = {
        {[] {
             CourseData::Initialize();
             CourseData::Initialize();
         },
         "CourseData1", "初期化を２度使用とした"},
        {[] { CourseData::Destruct(); }, "CourseData1",
         "初期化していないのにデストラクトしようとした"},
        {[] { CourseData::SetHandle(0, CourseData::HandleBackward + 1); }, "CourseData1",
         "ハンドルにありえない状態を設定"},
        {[] { CourseData::SetSide(2); }, "CourseData1", "ありえないサイドを検出"},
        {[&] {
             const int record = 2;
             oneRecord().InsertData(&record, 2);
         },
         "StraightDataBase1", "範囲外にデータを挿入しようとした"},
        // Writing past the block would corrupt memory, so a write is checked like a read.
        {[&] {
             const int record = 2;
             oneRecord().SetData(&record, 1);
         },
         "StraightDataBase1", "範囲外のデータにアクセスしようとした"},
        {[] { UnitSpline().AddPoint(1.0, 0.0, 4); }, "UnitSpline1",
         "ありえない点の性質を設定しようとした"},
        {[] { UnitSpline().SetShape(3); }, "UnitSpline1",
         "ありえないスプライン形状IDを設定しようとした"},
        {[] { SplineSegment{}.SetCoefficient(5, 1.0); }, "UnitSpline1",
         "係数設定フラグにありえない値を検出"},
        {[&] { UnitSpline().SetPoints(tooMany); }, "UnitSpline1", "点の数が多すぎます"},
        {[] {
             std::vector<double> column(UnitSpline::MaxPoints + 1, 1.0);
             UnitSpline::Solve(UnitSpline::MaxPoints + 1, column.data(), column.data(),
                               column.data(), column.data(), 0.0, column.data());
         },
         "UnitSpline1", "スプラインの点の数が多すぎます"},
    };
    ExpectReports(reports);
}

} // namespace
