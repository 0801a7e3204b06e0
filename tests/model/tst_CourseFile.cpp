#include "model/CourseData.h"
#include "support/CourseTest.h"
#include "support/FileSizeLimit.h"
#include "support/InChild.h"

#include <sys/stat.h>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Golden(const std::string& name) {
    return ReadBytes(VELMORA_TEST_DATA "/" + name);
}

using CourseFileTest = CourseTest;

TEST_F(CourseFileTest, CoursesMatchTheirGoldenFiles) {
    ASSERT_EQ(CourseData::Save("empty.cus"), 0);
    EXPECT_EQ(ReadBytes("empty.cus"), Golden("empty/course.cus"));
    CourseData::AddPoint(0.0, 0.0, 0.0);
    CourseData::AddPoint(100.0, 0.0, 0.0);
    ASSERT_EQ(CourseData::Save("two.cus"), 0);
    const Bytes two = Golden("two-point/course.cus");
    EXPECT_EQ(ReadBytes("two.cus"), two);
    EXPECT_EQ(CourseData::IsChanged(), 0);

    CourseData::NewCourse();
    ASSERT_EQ(CourseData::Load(VELMORA_TEST_DATA "/two-point/course.cus"), 0);
    EXPECT_EQ(CourseData::SaveToBytes(), two);
    Bytes longer = two; // bytes after the last point are ignored
    longer.insert(longer.end(), {1, 2, 3, 4, 5});
    ASSERT_EQ(CourseData::LoadFromBytes(longer), 0);
    EXPECT_EQ(CourseData::SaveToBytes(), two);
}

TEST_F(CourseFileTest, SaveLoadSaveKeepsEverything) {
    AddRing(40);
    CourseData::SetTangent(5, 10.0, 2.0, -30.0, 1, 0, 1);
    CourseData::SetRollTangent(7, 0.03, 1);
    CourseData::SetWidthTangent(9, 1.5, -2.5, 1, 1);
    CourseData::SetLoop(1);
    CourseData::ChangeWidthScale(0.75);
    CourseData::MoveCameraPosition(38.625);
    CourseData::SetHandle(12, CourseData::HandleBackward);
    CourseData::SetSide(1);
    ASSERT_EQ(CourseData::Save("ring.cus"), 0);
    const Bytes first = ReadBytes("ring.cus");

    CourseData::NewCourse();
    ASSERT_EQ(CourseData::Load("ring.cus"), 0);
    EXPECT_EQ(CourseData::IsChanged(), 0);
    ASSERT_EQ(CourseData::Save("again.cus"), 0);
    // Handles, loop, camera, selection and scale kept exactly, the rest recomputed.
    EXPECT_EQ(ReadBytes("again.cus"), first);
}

// Each file in refused-courses/ breaks one rule of the format or one limit of the course
// (limits/ holds a course at them, which the command-line tool's info reads); refusing it,
// or any file cut short, leaves the course exactly as it was, changed mark included.
TEST_F(CourseFileTest, RefusesFilesTheCourseCannotHold) {
    AddRing(5);
    const Bytes before = CourseData::SaveToBytes();
    int refused = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(VELMORA_TEST_DATA "/refused-courses")) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(CourseData::LoadFromBytes(ReadBytes(entry.path().string())), 1) << name;
        EXPECT_EQ(CourseData::SaveToBytes(), before) << name;
        EXPECT_EQ(CourseData::IsChanged(), 1) << name;
        ++refused;
    }
    EXPECT_EQ(refused, 26);
    const Bytes good = Golden("two-point/course.cus");
    for (size_t size = 0; size < good.size(); ++size) {
        const Bytes cut(good.begin(), good.begin() + static_cast<ptrdiff_t>(size));
        EXPECT_EQ(CourseData::LoadFromBytes(cut), 1) << size << " bytes";
    }
    EXPECT_EQ(CourseData::SaveToBytes(), before);
}

TEST_F(CourseFileTest, FilesThatCannotBeReadChangeNothing) {
    AddRing(3);
    const Bytes before = CourseData::SaveToBytes();
    EXPECT_EQ(CourseData::Load("missing.cus"), 1);
    std::filesystem::create_directory("folder.cus");
    EXPECT_EQ(CourseData::Load("folder.cus"), 1);
    ASSERT_EQ(mkfifo("fifo.cus", 0600), 0);
    EXPECT_EQ(InChild([] { return CourseData::Load("fifo.cus"); }), 1); // refused, not waiting
    EXPECT_EQ(CourseData::SaveToBytes(), before);
}

TEST_F(CourseFileTest, FailedSaveKeepsThePreviousFileAndTheChangedMark) {
    AddRing(12);
    ASSERT_EQ(CourseData::Save("course.cus"), 0);
    const Bytes saved = ReadBytes("course.cus");
    AddRing(60);
    {
        FileSizeLimit limit(saved.size()); // the bigger course no longer fits
        EXPECT_EQ(CourseData::Save("course.cus"), 1);
    }
    EXPECT_EQ(CourseData::IsChanged(), 1);
    EXPECT_EQ(ReadBytes("course.cus"), saved);
    EXPECT_EQ(CourseData::Save("no-such-folder/course.cus"), 1);
    EXPECT_EQ(CourseData::IsChanged(), 1);
}

} // namespace
