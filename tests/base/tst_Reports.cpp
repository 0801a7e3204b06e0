#include "base/Error.h"
#include "support/ErrorLogCheck.h"

namespace {

using ErrorLogTest = ScratchDirTest;

// The exact CP932 bytes of one line: labels, tag, message, CR LF.
TEST_F(ErrorLogTest, WritesTheLineAsShiftJisBytes) {
    Error::Report("StraightDataBase1", "範囲外のデータにアクセスしようとした", 0);
    const std::string expected =
        "\x83\x47\x83\x89\x81\x5B\x94\xAD\x90\xB6\x83\x4E\x83\x89\x83\x58\x81\x46" // エラー発生クラス：
        "StraightDataBase1"
        "\t\t\t\x83\x81\x83\x62\x83\x5A\x81\x5B\x83\x57\x81\x46" // メッセージ：
        "\x94\xCD\x88\xCD\x8A\x4F\x82\xCC\x83\x66\x81\x5B\x83\x5E\x82\xC9\x83\x41\x83\x4E"
        "\x83\x5A\x83\x58\x82\xB5\x82\xE6\x82\xA4\x82\xC6\x82\xB5\x82\xBD" // 範囲外の…
        "\r\n";
    EXPECT_EQ(ReadText("ErrorLog.err"), expected);
}

// Levels 0 to 2 append and return; an unknown level adds a line of its own and returns.
TEST_F(ErrorLogTest, OtherLevelsAppendAndReturn) {
    Error::Report("First1", "一行目", 0);
    Error::Report("Second1", "二行目\tタブ入り", 2);
    Error::Report("Some1", "未知のレベル", 4);
    EXPECT_EQ(ReadErrorLog(),
              ExpectedLogLine("First1", "一行目") + ExpectedLogLine("Second1", "二行目\tタブ入り") +
                  ExpectedLogLine("Some1", "未知のレベル") +
                  ExpectedLogLine("Error1", "設定されていないレベルで設定しようとしました"));
}

TEST_F(ErrorLogTest, FatalReportsLogAndEndTheProcessWithStatusZero) {
    const ReportCase reports[] = {
        {[] { Error::Report("CourseData1", "ありえないサイドを検出", 3); }, "CourseData1",
         "ありえないサイドを検出"},
        {[] { Error::Fatal("WinMain", "終了"); }, "WinMain", "終了"},
    };
    ExpectReports(reports);
}

// The log of an earlier run is replaced by the first report of this one.
TEST(ErrorLogStart, FirstReportOfARunTruncatesTheOldLog) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            bool ok = false;
            {
                TempDir scratch;
                CurrentDir inScratch(scratch.Path());
                WriteBytes("ErrorLog.err", {'o', 'l', 'd', '\r', '\n'});
                Error::Report("New1", "新しい", 0);
                ok = ReadErrorLog() == ExpectedLogLine("New1", "新しい");
            }
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
