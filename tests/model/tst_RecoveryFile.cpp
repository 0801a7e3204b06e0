#include "model/RecoveryFile.h"
#include "support/CourseTest.h"
#include "support/InChild.h"

#include <climits>
#include <sys/stat.h>

namespace {

using Bytes = std::vector<unsigned char>;
namespace fs = std::filesystem;

void WriteText(const std::string& file, const std::string& text) {
    WriteBytes(file, Bytes(text.begin(), text.end()));
}

class RecoveryFileTest : public CourseTest {
protected:
    void SetUp() override {
        CourseTest::SetUp();
        AddPoints({{0, 0, 0}, {100, 0, 0}, {100, 20, 100}});
    }

    // A designer in another process that writes its copy of the course and ends without
    // cleaning up, as a killed one does; the copy's path.
    fs::path LeaveCopy(const std::string& courseFile) {
        const fs::path record = dir.File("left-path");
        EXPECT_EQ(InChild([&]() -> int {
                      RecoveryFile copy(dir.Path());
                      WriteText(record.string(), copy.GetPath().string());
                      _exit(copy.Write(courseFile) ? 0 : 1);
                  }),
                  0);
        return ReadText(record.string());
    }
};

// A copy of a course never saved, so without a name, reads back whole; the test of FindLeft
// reads back a named one.
TEST_F(RecoveryFileTest, ACopyLeftByAGoneDesignerReadsBackWhole) {
    const auto content = RecoveryFile::Read(LeaveCopy(""));
    ASSERT_TRUE(content);
    EXPECT_EQ(CourseFile::Encode(content->course), CourseData::SaveToBytes());
    EXPECT_EQ(content->courseFile, "");
}

// Only copies whose designer is gone are found, the newest first; the running designer's
// own copy and other files are not.
TEST_F(RecoveryFileTest, FindLeftSkipsTheCopiesOfRunningDesigners) {
    RecoveryFile own(dir.Path());
    ASSERT_TRUE(own.Write("mine.cus"));
    const fs::path older = LeaveCopy("older.cus");
    fs::last_write_time(older, fs::last_write_time(older) - std::chrono::hours(1));
    const fs::path newer = LeaveCopy("newer.cus");
    WriteText(dir.File("Recovery-1.txt"), "not a copy");
    WriteText(dir.File("course.cus"), "not a copy");
    fs::create_directory(dir.File("Recovery-2.cus"));
    EXPECT_EQ(RecoveryFile::FindLeft(dir.Path()), (std::vector<fs::path>{newer, older}));
    // Another designer's copy does not replace this one's.
    EXPECT_EQ(RecoveryFile::Read(own.GetPath())->courseFile, "mine.cus");

    RecoveryFile::Discard(newer);
    EXPECT_EQ(RecoveryFile::FindLeft(dir.Path()), std::vector<fs::path>{older});
    EXPECT_FALSE(fs::exists(fs::path(newer).replace_extension(".lock")));
    RecoveryFile::Discard(older);
    EXPECT_TRUE(RecoveryFile::FindLeft(dir.Path()).empty());
}

// Only a clean end or a save takes the copy away; any other end leaves it to be found.
TEST_F(RecoveryFileTest, ACleanEndOrASaveLeavesNothing) {
    fs::path copy;
    {
        RecoveryFile own(dir.Path());
        copy = own.GetPath();
        ASSERT_TRUE(own.Write(""));
        own.Remove();
        EXPECT_FALSE(fs::exists(copy));
        ASSERT_TRUE(own.Write(""));
    }
    EXPECT_EQ(RecoveryFile::FindLeft(dir.Path()), std::vector<fs::path>{copy});
    RecoveryFile::Discard(copy);
    {
        RecoveryFile own(dir.Path());
        ASSERT_TRUE(own.Write(""));
        own.EndCleanly();
        EXPECT_FALSE(own.Write(""));
    }
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}

// A copy that does not hold a whole course is never loaded.
TEST_F(RecoveryFileTest, CopiesThatAreNotWholeCoursesAreRefused) {
    const fs::path left = LeaveCopy("a.cus");
    const Bytes course = CourseData::SaveToBytes();
    Bytes truncated(course.begin(), course.end() - 1);
    Bytes badPoint = course;
    badPoint[40 + 16] = 7; // a property that is neither automatic nor fixed
    Bytes longName = course;
    longName.resize(course.size() + PATH_MAX + 1, 'a');
    for (const Bytes& bytes : {truncated, badPoint, longName, Bytes{}}) {
        WriteBytes(left.string(), bytes);
        EXPECT_FALSE(RecoveryFile::Read(left)) << bytes.size();
    }
    ASSERT_EQ(mkfifo(dir.File("Recovery-3-4.cus").c_str(), 0600), 0);
    EXPECT_FALSE(RecoveryFile::Read(dir.File("Recovery-3-4.cus")));
}

} // namespace
