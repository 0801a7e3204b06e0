#include "platform/SaveFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

bool Save(const std::string& path, const std::string& text) {
    SaveFile file(path);
    if (!file.Open()) {
        return false;
    }
    file.Write(text.data(), text.size());
    return file.Commit();
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

size_t FilesIn(const TempDir& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++n;
    }
    return n;
}

TEST(SaveFile, CommitReplacesTheTargetWhole) {
    TempDir dir;
    const std::string target = dir.File("a.txt");
    ASSERT_TRUE(Save(target, "first version, longer"));
    ASSERT_TRUE(Save(target, "second"));
    EXPECT_EQ(ReadText(target), "second");
    EXPECT_EQ(FilesIn(dir), 1U);
}

TEST(SaveFile, UncommittedWritesLeaveNoTrace) {
    TempDir dir;
    const std::string target = dir.File("a.txt");
    ASSERT_TRUE(Save(target, "kept"));
    {
        SaveFile file(target);
        ASSERT_TRUE(file.Open());
        file.Write("lost", 4);
    }
    EXPECT_EQ(ReadText(target), "kept");
    EXPECT_EQ(FilesIn(dir), 1U);
}

TEST(SaveFile, WriteErrorsFailTheCommit) {
    TempDir dir;
    const std::string target = dir.File("a.txt");
    ASSERT_TRUE(Save(target, "old"));
    {
        FileSizeLimit limit(8);
        EXPECT_FALSE(Save(target, std::string(100, 'x')));
    }
    EXPECT_EQ(ReadText(target), "old");
    EXPECT_EQ(FilesIn(dir), 1U);
}

TEST(SaveFile, MissingFolderCannotBeOpened) {
    TempDir dir;
    SaveFile file(dir.File("missing/a.txt"));
    EXPECT_FALSE(file.Open());
    EXPECT_FALSE(file.Commit());
}

TEST(SaveFile, PermissionsAreThoseOfTheReplacedFileOrTheUsualOnes) {
    TempDir dir;
    const std::string target = dir.File("a.txt");
    const mode_t mask = umask(022);
    ASSERT_TRUE(Save(target, "new"));
    EXPECT_EQ(ModeOf(target), 0644U);
    chmod(target.c_str(), 0600);
    ASSERT_TRUE(Save(target, "again"));
    EXPECT_EQ(ModeOf(target), 0600U);
    umask(mask);
}

TEST(SaveFile, RelativeNamesSaveInTheCurrentDirectory) {
    TempDir dir;
    CurrentDir inDir(dir.Path());
    ASSERT_TRUE(Save("plain.txt", "here"));
    EXPECT_EQ(ReadText(dir.File("plain.txt")), "here");
}

} // namespace
