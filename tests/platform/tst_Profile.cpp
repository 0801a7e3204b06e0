#include "platform/Profile.h"
#include "support/FileSizeLimit.h"
#include "support/InChild.h"
#include "support/TempDir.h"

#include <cctype>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace std::string_literals;

class ProfileTest : public ::testing::Test {
protected:
    void Put(const std::string& text) { WriteBytes(ini, {text.begin(), text.end()}); }

    TempDir dir;
    std::string ini = dir.File("Settei.ini");
};

TEST_F(ProfileTest, ValuesReadBackAsWritten) {
    ASSERT_EQ(Profile::WriteInt(ini, "MainWindow", "Length", 44), 0);
    ASSERT_EQ(Profile::WriteInt(ini, "MainWindow", "Top", -5), 0);
    EXPECT_EQ(ReadText(ini), "[MainWindow]\r\nLength=44\r\nTop=-5\r\n");

    const std::string sjis = "C:\\\x83\x5c\x83\x74\x83\x67\\"; // a trail byte that is '\'
    const std::vector<std::string> texts = {sjis,         "",  " lead", "trail\t",
                                            "\"quoted\"", "'", "a=b;c"};
    for (const std::string& text : texts) {
        ASSERT_EQ(Profile::WriteString(ini, "CourseFileOpen", "LoadFileDir", text), 0);
        EXPECT_EQ(Profile::GetString(ini, "CourseFileOpen", "LoadFileDir", "x"), text);
    }
    for (int value : {0, INT_MIN, INT_MAX}) {
        ASSERT_EQ(Profile::WriteInt(ini, "MainWindow", "Flags", value), 0);
        EXPECT_EQ(Profile::GetInt(ini, "MainWindow", "Flags", 7), value);
    }

    // No fixed-size path buffers.
    const std::string deep = dir.File(std::string(200, 'd'));
    std::filesystem::create_directories(deep + "/" + std::string(200, 'e'));
    const std::string longPath = deep + "/" + std::string(200, 'e') + "/Settei.ini";
    ASSERT_EQ(Profile::WriteInt(longPath, "S", "k", 1), 0);
    EXPECT_EQ(Profile::GetInt(longPath, "S", "k", 0), 1);
}

TEST_F(ProfileTest, MissingOrNonsenseGivesTheFallback) {
    EXPECT_EQ(Profile::GetInt(ini, "MainWindow", "ShowCmd", 1), 1); // no file
    EXPECT_EQ(Profile::GetString(ini, "MainWindow", "Dir", "none"), "none");
    Put("early=3\n[A]\nbare\nempty=\na=12abc\nb=  \nc=99999999999\nd=0x10\ne=-\nf=+-5\n"
        "g=1 2\nh=1.5\ni= +42 \nj=-2147483648\nk=007\nl=\"12\"\nm=\"abc'\n[B]\nlater=9\n");
    for (const char* key :
         {"early", "bare", "empty", "later", "a", "b", "c", "d", "e", "f", "g", "h"}) {
        EXPECT_EQ(Profile::GetInt(ini, "A", key, -1), -1) << key;
    }
    EXPECT_EQ(Profile::GetInt(ini, "Missing", "k", -1), -1);
    EXPECT_EQ(Profile::GetString(ini, "A", "bare", "x"), "x");
    EXPECT_EQ(Profile::GetString(ini, "A", "empty", "x"), "");   // present, though empty
    EXPECT_EQ(Profile::GetString(ini, "A", "m", "x"), "\"abc'"); // mismatched quotes stay
    const std::pair<const char*, int> numbers[] = {{"i", 42}, {"j", INT_MIN}, {"k", 7}, {"l", 12}};
    for (const auto& [key, value] : numbers) {
        EXPECT_EQ(Profile::GetInt(ini, "A", key, -1), value) << key;
    }
}

// A FIFO in the settings file's place is neither read nor replaced, and never waited on.
TEST_F(ProfileTest, ASettingsFileThatIsNotARegularFileIsLeftAlone) {
    ASSERT_EQ(mkfifo(ini.c_str(), 0600), 0);
    EXPECT_EQ(InChild([&] { return Profile::GetInt(ini, "A", "k", 7); }), 7);
    EXPECT_EQ(InChild([&] { return Profile::WriteInt(ini, "A", "k", 1); }), 1);
    EXPECT_TRUE(std::filesystem::is_fifo(std::filesystem::symlink_status(ini)));
}

// Names match without case or blanks around them; the first section and key of a name count.
TEST_F(ProfileTest, TheFirstSectionAndKeyMatchingANameCount) {
    Put("  [ mainWINDOW ]  \r\n\tTOP  =  12  \r\nAZ=7\r\n");
    EXPECT_EQ(Profile::GetInt(ini, "MainWindow", " top", 0), 12);
    EXPECT_EQ(Profile::GetInt(ini, "MainWindow", "az", 0), 7);
    ASSERT_EQ(Profile::WriteInt(ini, "MAINWINDOW", "Top", 13), 0);
    EXPECT_EQ(ReadText(ini), "  [ mainWINDOW ]  \r\nTop=13\r\nAZ=7\r\n");

    Put("[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(Profile::GetInt(ini, "A", "k", 0), 1);
    EXPECT_EQ(Profile::GetInt(ini, "A", "j", 0), 0);
    ASSERT_EQ(Profile::WriteInt(ini, "A", "k", 9), 0);
    ASSERT_EQ(Profile::WriteInt(ini, "A", "j", 5), 0);
    EXPECT_EQ(ReadText(ini), "[A]\r\nk=9\r\nk=2\r\nj=5\r\n[a]\r\nk=3\r\nj=4\r\n");
}

TEST_F(ProfileTest, WritingKeepsEveryOtherLine) {
    // LF lines, a comment, an unknown line, text before any section, NUL and invalid UTF-8
    // bytes, a later section and no final newline.
    const std::string rest = "; comment\njunk line\nz=\xff\xfe\0\x80\n\n[B]\nb=2"s;
    Put("loose=1\n[A]\nk=old\n" + rest);
    ASSERT_EQ(Profile::WriteString(ini, "a", "K", "new"), 0);
    EXPECT_EQ(ReadText(ini), "loose=1\n[A]\nK=new\r\n" + rest);
    EXPECT_EQ(Profile::GetString(ini, "A", "z", ""), "\xff\xfe\0\x80"s);

    // A new key goes after its section's last line, before the blank line that ends it.
    ASSERT_EQ(Profile::WriteString(ini, "A", "added", "1"), 0);
    EXPECT_EQ(ReadText(ini), "loose=1\n[A]\nK=new\r\n; comment\njunk line\nz=\xff\xfe\0\x80\n"
                             "added=1\r\n\n[B]\nb=2"s);
    ASSERT_EQ(Profile::WriteString(ini, "B", "c", "3"), 0);
    ASSERT_EQ(Profile::WriteString(ini, "New", "n", "4"), 0);
    EXPECT_TRUE(ReadText(ini).ends_with("\n[B]\nb=2\r\nc=3\r\n[New]\r\nn=4\r\n"));
}

TEST_F(ProfileTest, FailedWritesReportAndKeepTheFile) {
    EXPECT_EQ(Profile::WriteInt(dir.File("missing/Settei.ini"), "A", "k", 1), 1);
    EXPECT_EQ(Profile::WriteInt(dir.Path().string(), "A", "k", 1), 1); // a directory
    Put("[A]\r\nk=1\r\n");
    {
        FileSizeLimit limit(4);
        EXPECT_EQ(Profile::WriteInt(ini, "A", "k", 2), 1);
    }
    // Texts that would not read back as written.
    EXPECT_EQ(Profile::WriteString(ini, "A", "k", "two\r\nlines"), 1);
    EXPECT_EQ(Profile::WriteString(ini, "A\n", "k", "1"), 1);
    for (const char* key : {"a=b", "[k", ";k"}) {
        EXPECT_EQ(Profile::WriteString(ini, "A", key, "1"), 1) << key;
    }
    EXPECT_EQ(ReadText(ini), "[A]\r\nk=1\r\n");
}

// In a Turkish single-byte locale tolower('I') is a dotless i and isspace(0xA0) holds, and
// numbers there take a decimal comma: none of that may change what is read or written.
TEST_F(ProfileTest, TheLocaleChangesNothing) {
    const std::string build =
        "localedef -i tr_TR -f ISO-8859-9 '" + dir.File("tr_TR") + "' 2>/dev/null";
    if (std::system(build.c_str()) != 0 && !std::filesystem::exists(dir.File("tr_TR/LC_CTYPE"))) {
        GTEST_SKIP() << "localedef cannot build tr_TR.ISO-8859-9";
    }
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    setenv("LOCPATH", dir.Path().c_str(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "tr_TR"), nullptr);
    const bool inForce = std::tolower('I') != 'i';
    const int written = Profile::WriteInt(ini, "MainWindow", "MinPos.x", -1234567);
    const int value = Profile::GetInt(ini, "MAINWINDOW", "MINPOS.X", 0);
    const int text = Profile::WriteString(ini, "MainWindow", "Dir", "\xa0/x\xa0");
    const std::string dirValue = Profile::GetString(ini, "MainWindow", "DIR", "");
    (void)std::setlocale(LC_ALL, previous.c_str());

    EXPECT_TRUE(inForce);
    EXPECT_EQ(written, 0);
    EXPECT_EQ(value, -1234567);
    EXPECT_EQ(text, 0);
    EXPECT_EQ(dirValue, "\xa0/x\xa0");
}

} // namespace
