#include "base/Error.h"
#include "support/ErrorLogCheck.h"

namespace {

using ErrorLogTest = ScratchDirTest;

// Levels 0 to 2 append and return; an unknown level adds a line of its own and returns.
// The log is read back as CP932, which pins the bytes of the labels and messages too.
TEST_F(ErrorLogTest, OtherLevelsAppendAndReturn) {
    Error::Report("First1", "一行目", 0);
    Error::Report("Second1", "二行目\tタブ入り", 2);
    Error::Report("Some1", "未知のレベル", 4);
    EXPECT_EQ(ReadErrorLog(),
              ExpectedLogLine("First1", "一行目") + ExpectedLogLine("Second1", "二行目\tタブ入り") +
                  ExpectedLogLine("Some1", "未知のレベル") +
                  ExpectedLogLine("Error1", "設定されていないレベルで設定しようとしました"));
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
