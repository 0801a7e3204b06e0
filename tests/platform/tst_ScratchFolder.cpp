#include "platform/ScratchFolder.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

TEST(ScratchFolder, LivesWithTheObjectAndIsRemovedWithItsContents) {
    std::string first;
    {
        const ScratchFolder scratch("velmora-test-");
        ASSERT_TRUE(scratch.Failure().empty()) << scratch.Failure();
        first = scratch.Path();
        EXPECT_TRUE(fs::is_directory(first));
        EXPECT_EQ(fs::path(first).filename().string().rfind("velmora-test-", 0), 0U) << first;
        EXPECT_EQ(fs::status(first).permissions(), fs::perms::owner_all);
        const ScratchFolder second("velmora-test-");
        EXPECT_NE(second.Path(), first);
        fs::create_directories(first + "/tracks/road");
        WriteBytes(first + "/tracks/road/track.xml", {'x'});
    }
    EXPECT_FALSE(fs::exists(first));
}

// The links stand for a system data tree that must survive the run.
TEST(ScratchFolder, RemovesLinksButNotWhatTheyPointTo) {
    TempDir outside;
    fs::create_directory(outside.Path() / "data");
    WriteBytes(outside.File("data/car.xml"), {'c'});
    WriteBytes(outside.File("file.xml"), {'f'});
    std::string folder;
    {
        const ScratchFolder scratch("velmora-test-");
        folder = scratch.Path();
        fs::create_directory_symlink(outside.Path() / "data", folder + "/data");
        fs::create_symlink(outside.File("file.xml"), folder + "/file.xml");
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder)));
    EXPECT_EQ(ReadText(outside.File("data/car.xml")), "c");
    EXPECT_EQ(ReadText(outside.File("file.xml")), "f");
}

TEST(ScratchFolder, ReportsAFolderThatCannotBeCreated) {
    const char* previous = std::getenv("TMPDIR");
    const std::string saved = previous != nullptr ? previous : "";
    ASSERT_EQ(::setenv("TMPDIR", "/nonexistent-velmora", 1), 0);
    const ScratchFolder scratch("velmora-test-");
    if (previous != nullptr) {
        (void)::setenv("TMPDIR", saved.c_str(), 1);
    } else {
        (void)::unsetenv("TMPDIR");
    }
    EXPECT_TRUE(scratch.Path().empty());
    EXPECT_NE(scratch.Failure().find("/nonexistent-velmora/velmora-test-"), std::string::npos);
    EXPECT_NE(scratch.Failure().find("No such file or directory"), std::string::npos);
}

} // namespace
