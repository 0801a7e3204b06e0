#include "platform/HWNDDataBase.h"
#include "platform/WindowsService.h"
#include "support/ErrorLogCheck.h"

#include <climits>

namespace {

// Calls `use` on a table holding the one handle 1.
template <class Use> void WithOneEntry(Use use) {
    HWNDDataBase<int> table;
    table.Add(1, 10);
    use(table);
}

using PlatformReportTest = ScratchDirTest;

TEST_F(PlatformReportTest, MisuseEndsTheProgramWithItsReport) {
    const ReportCase reports[] = {
        {[] {
             platform::BackBuffer buffer;
             platform::WindowsService::CreateBackBuffer(buffer, INT_MAX, 1);
         },
         "WindowsService1", "メモリの獲得に失敗"},
        {[] { WithOneEntry([](HWNDDataBase<int>& t) { t.Remove(2); }); }, "HWNDDataBase2",
         "登録していないＨＷＮＤにアクセスしようとした"},
        {[] { WithOneEntry([](HWNDDataBase<int>& t) { (void)t.HandleAt(1); }); }, "HWNDDataBase2",
         "範囲外の番号でデータを獲得しようとした"},
    };
    ExpectReports(reports);
}

} // namespace
