#include "model/CourseData.h"
#include "model/CourseFile.h"
#include "support/CourseTest.h"
#include "support/FileSizeLimit.h"
#include "support/InChild.h"

#include <cstring>
#include <functional>
#include <limits>
#include <sys/stat.h>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Golden(const std::string& name) {
    return ReadBytes(VELMORA_TEST_DATA "/" + name);
}

template <class T> void Put(Bytes& bytes, size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

// Field offsets in the file.
constexpr size_t SelectedAt = 0;
constexpr size_t HandleAt = 4;
constexpr size_t SideAt = 8;
constexpr size_t LoopAt = 12;
constexpr size_t ScaleAt = 16;
constexpr size_t CameraAt = 24;
constexpr size_t CameraTAt = 28;
constexpr size_t CountAt = 36;
constexpr size_t Point1At = CourseFile::HeaderSize + CourseFile::PointRecordSize;
constexpr size_t RollBlockAt = 60;
constexpr size_t SamplesAt = 120;

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
    EXPECT_EQ(CourseData::GetPointNum(), 2);
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
    EXPECT_EQ(CourseData::IsLoop(), 1);
    int32_t segment = 0;
    double t = 0.0;
    CourseData::GetCameraPosition(segment, t);
    EXPECT_EQ(segment, 38);
    EXPECT_EQ(t, 0.625);
    ASSERT_EQ(CourseData::Save("again.cus"), 0);
    EXPECT_EQ(ReadBytes("again.cus"), first); // handles kept exactly, the rest recomputed
}

TEST_F(CourseFileTest, LimitsThatFitAreAccepted) {
    Bytes bytes = Golden("two-point/course.cus");
    Put<int32_t>(bytes, SelectedAt, -1);
    Put<int32_t>(bytes, HandleAt, 2);
    Put<int32_t>(bytes, CameraAt, -1);
    Put<double>(bytes, ScaleAt, CourseData::MinWidthScale);
    Put<int32_t>(bytes, SamplesAt + CourseFile::HeaderSize, CourseData::MaxSampleNum);
    Put<int32_t>(bytes, Point1At + SamplesAt, 0);
    Put<double>(bytes, CameraTAt, 1.0);
    Put<double>(bytes, Point1At, CourseData::MaxMagnitude);
    Put<double>(bytes, Point1At + 28, 1e300); // an automatic tangent is recomputed anyway
    Put<int32_t>(bytes, LoopAt, 5);           // any non-zero flag is a loop, saved as 1
    EXPECT_EQ(CourseData::LoadFromBytes(bytes), 0);
    EXPECT_EQ(CourseData::GetSampleNum(0), CourseData::MaxSampleNum);
    EXPECT_EQ(CourseData::GetSegmentNum(), 2);
    EXPECT_EQ(CourseData::SaveToBytes()[LoopAt], 1);
    Put<int32_t>(bytes, CameraAt, 1); // on the closing segment, which only a loop has
    EXPECT_EQ(CourseData::LoadFromBytes(bytes), 0);
}

// Every refused file leaves the course exactly as it was, changed mark included.
TEST_F(CourseFileTest, RefusesFilesTheCourseCannotHold) {
    const Bytes good = Golden("two-point/course.cus");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<const char*, std::function<void(Bytes&)>> damages[] = {
        {"negative count", [](Bytes& b) { Put<int32_t>(b, CountAt, -1); }},
        {"count over 256", [](Bytes& b) { Put<int32_t>(b, CountAt, 257); }},
        {"count past the end", [](Bytes& b) { Put<int32_t>(b, CountAt, 3); }},
        {"property 1", [](Bytes& b) { Put<int32_t>(b, CourseFile::HeaderSize + 16, 1); }},
        {"property 4", [](Bytes& b) { Put<int32_t>(b, Point1At + RollBlockAt + 16, 4); }},
        {"selection past the end", [](Bytes& b) { Put<int32_t>(b, SelectedAt, 2); }},
        {"selection below none", [](Bytes& b) { Put<int32_t>(b, SelectedAt, -2); }},
        {"handle state 3", [](Bytes& b) { Put<int32_t>(b, HandleAt, 3); }},
        {"handle state -1", [](Bytes& b) { Put<int32_t>(b, HandleAt, -1); }},
        {"side 2", [](Bytes& b) { Put<int32_t>(b, SideAt, 2); }},
        {"camera on no segment", [](Bytes& b) { Put<int32_t>(b, CameraAt, 1); }},
        {"camera below none", [](Bytes& b) { Put<int32_t>(b, CameraAt, -2); }},
        {"scale too small", [](Bytes& b) { Put<double>(b, ScaleAt, 0.0099); }},
        {"scale zero", [](Bytes& b) { Put<double>(b, ScaleAt, 0.0); }},
        {"scale NaN", [nan](Bytes& b) { Put<double>(b, ScaleAt, nan); }},
        {"scale infinite", [inf](Bytes& b) { Put<double>(b, ScaleAt, inf); }},
        {"camera t NaN", [nan](Bytes& b) { Put<double>(b, CameraTAt, nan); }},
        {"camera t past the segment", [](Bytes& b) { Put<double>(b, CameraTAt, 1.5); }},
        {"camera t before it", [](Bytes& b) { Put<double>(b, CameraTAt, -0.1); }},
        {"scale too large", [](Bytes& b) { Put<double>(b, ScaleAt, 1e101); }},
        {"value too large", [](Bytes& b) { Put<double>(b, Point1At, -1e101); }},
        {"fixed tangent too large",
         [](Bytes& b) {
             Put<double>(b, Point1At + 8, 1e201);
             Put<int32_t>(b, Point1At + 16, 3);
         }},
        {"value infinite", [inf](Bytes& b) { Put<double>(b, Point1At + 20, inf); }},
        {"tangent NaN", [nan](Bytes& b) { Put<double>(b, Point1At + 108, nan); }},
        {"negative samples", [](Bytes& b) { Put<int32_t>(b, Point1At + SamplesAt, -1); }},
        {"too many samples",
         [](Bytes& b) { Put<int32_t>(b, Point1At + SamplesAt, CourseData::MaxSampleNum + 1); }},
    };
    AddRing(5);
    const Bytes before = CourseData::SaveToBytes();
    for (const auto& [name, damage] : damages) {
        Bytes bytes = good;
        damage(bytes);
        EXPECT_EQ(CourseData::LoadFromBytes(bytes), 1) << name;
        EXPECT_EQ(CourseData::SaveToBytes(), before) << name;
        EXPECT_EQ(CourseData::IsChanged(), 1) << name;
    }
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
