#include "model/CobExport.h"
#include "model/CourseData.h"
#include "support/CourseTest.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace {

struct Files {
    std::string course;
    std::string mesh;
};

Files WriteAll(const char* suffix) {
    const std::string cus = std::string("course-") + suffix + ".cus";
    const std::string cob = std::string("course-") + suffix + ".cob";
    EXPECT_EQ(CourseData::Save(cus.c_str()), 0);
    EXPECT_EQ(ExportCob(cob.c_str()), 0);
    return {ReadText(cus), ReadText(cob)};
}

// The designer runs with the user's locale; under one with a decimal comma every file
// must still come out exactly as under "C".
using LocaleTest = CourseTest;

TEST_F(LocaleTest, FilesDoNotDependOnTheLocale) {
    AddRing(20);
    CourseData::SetLoop(1);
    CourseData::ChangeWidthScale(0.25);
    const Files plain = WriteAll("c");

    const std::string previous = std::setlocale(LC_ALL, nullptr);
    setenv("LOCPATH", VELMORA_LOCPATH, 1); // the build compiles the locale there
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the test locale is missing from " VELMORA_LOCPATH;
    char probe[32];
    std::snprintf(probe, sizeof probe, "%f", 0.2);
    const Files german = WriteAll("de");
    std::setlocale(LC_ALL, previous.c_str());

    EXPECT_STREQ(probe, "0,200000"); // the locale really was in force
    EXPECT_EQ(german.course, plain.course);
    EXPECT_EQ(german.mesh, plain.mesh);
}

} // namespace
