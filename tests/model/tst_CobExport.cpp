#include "model/CobExport.h"
#include "support/CourseTest.h"
#include "support/FileSizeLimit.h"
#include "support/ReferenceCobWriter.h"

#include <cstdio>

namespace {

std::string Exported() {
    EXPECT_EQ(ExportCob("out.cob"), 0);
    return ReadText("out.cob");
}

std::string Reference() {
    std::FILE* file = std::fopen("reference.cob", "wb");
    WriteReferenceCob(file);
    std::fclose(file);
    return ReadText("reference.cob");
}

std::string Golden(const std::string& name) {
    return ReadText(VELMORA_TEST_DATA "/" + name);
}

using CobExportTest = CourseTest;

TEST_F(CobExportTest, EmptyAndTwoPointCoursesMatchTheirGoldenFiles) {
    EXPECT_EQ(Exported(), Golden("empty/course.cob")); // no world vertices at all
    CourseData::AddPoint(0, 0, 0);
    CourseData::AddPoint(0, 0, 100);
    EXPECT_EQ(Exported(), Golden("two-point-along-z/course.cob"));
}

// The streaming writer and a plain fprintf writer agree byte for byte on real courses.
TEST_F(CobExportTest, MatchesThePlainWriterOnRealCourses) {
    CourseData::AddPoint(100, 0, 0); // one row, no face
    for (int loop : {0, 1}) {
        CourseData::SetLoop(loop);
        EXPECT_EQ(Exported(), Reference());
    }
    CourseData::NewCourse();
    AddRing(30, 7);
    CourseData::SetTangent(4, 300.0, -20.0, 10.0, 1, 1, 1);
    EXPECT_EQ(Exported(), Reference());
    CourseData::SetLoop(1);
    CourseData::ChangeWidthScale(-0.7);
    EXPECT_EQ(Exported(), Reference());
    EXPECT_EQ(CourseData::IsChanged(), 1); // exporting does not touch the mark
    CourseData::Save("course.cus");
    Exported();
    EXPECT_EQ(CourseData::IsChanged(), 0);

    // Numbers of about 90 digits over a few dozen buffers' worth of text, so that numbers
    // start at every amount of room a buffer has left.
    CourseData::NewCourse();
    AddPoints({{-3e92, 1e91, 2e92}, {4e92, -2e91, 7e91}});
    CourseData::SetHandle(0, CourseData::HandlePoint);
    CourseData::ChangeSampleNum(3000);
    const std::string huge = Exported();
    EXPECT_GT(huge.size(), 1'500'000U);
    EXPECT_EQ(huge, Reference());
}

class ChunkCounter : public CobTextSink {
public:
    void Write(std::string_view chunk) override {
        largest = std::max(largest, chunk.size());
        total += chunk.size();
    }
    size_t largest = 0;
    size_t total = 0;
};

// Memory stays flat: the text goes out in bounded chunks however large the mesh.
TEST_F(CobExportTest, StreamsInBoundedChunks) {
    AddRing(256, 100);
    CourseData::SetLoop(1);
    ChunkCounter counter;
    WriteCob(counter);
    EXPECT_GT(counter.total, 3'000'000U);
    EXPECT_LE(counter.largest, 64U * 1024U);
}

TEST_F(CobExportTest, FailedExportKeepsThePreviousFile) {
    CourseData::AddPoint(0, 0, 0);
    CourseData::AddPoint(0, 0, 100);
    const std::string before = Exported();
    AddRing(50);
    {
        FileSizeLimit limit(before.size());
        EXPECT_EQ(ExportCob("out.cob"), 1);
    }
    EXPECT_EQ(ReadText("out.cob"), before);
    EXPECT_EQ(ExportCob("missing-folder/out.cob"), 1);
}

} // namespace
