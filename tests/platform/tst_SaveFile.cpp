#include "platform/SaveFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Why the save failed; empty when it succeeded.
std::string SaveFailure(const std::string& path, const std::string& text) {
    SaveFile file(path);
    if (file.Open()) {
        file.Write(text.data(), text.size());
    }
    return file.Commit() ? std::string() : file.Failure();
}

bool Save(const std::string& path, const std::string& text) {
    return SaveFailure(path, text).empty();
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

auto FilesIn(const TempDir& dir) {
    return std::distance(std::filesystem::directory_iterator(dir.Path()),
                         std::filesystem::directory_iterator());
}

// Set in a child to have saves take a named temporary file, as where /proc is missing.
bool hideProc = false;

// The target changes only when a commit succeeds, and no temporary file is left either way,
// not even by a save that SIGTERM ends.
// A new file takes the usual permissions; a replaced one keeps its own (see the links test).
TEST(SaveFile, OnlyASuccessfulCommitReplacesTheTarget) {
    TempDir dir;
    const std::string target = dir.File("a.txt");
    const mode_t mask = umask(022);
    ASSERT_TRUE(Save(target, "first version, longer"));
    umask(mask);
    EXPECT_EQ(ModeOf(target), 0644U);
    ASSERT_TRUE(Save(target, "second"));
    EXPECT_EQ(ReadText(target), "second");
    {
        SaveFile file(target);
        ASSERT_TRUE(file.Open());
        file.Write("lost", 4);
    }
    const pid_t child = fork();
    if (child == 0) { // a save that SIGTERM ends part-way, its temporary file named
        hideProc = true;
        SaveFile file(target);
        if (file.Open()) {
            file.Write("part", 4);
            raise(SIGTERM);
        }
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    {
        FileSizeLimit limit(8);
        EXPECT_EQ(SaveFailure(target, std::string(100, 'x')), "File too large");
    }
    EXPECT_EQ(SaveFailure(dir.File("missing/a.txt"), "x"), "No such file or directory");
    EXPECT_EQ(ReadText(target), "second");
    EXPECT_EQ(FilesIn(dir), 1);
}

// What each fsync of this process synced while a test watches a save: whether it was a
// folder, and whether the target already held the new text.
struct SyncWatch {
    std::string target;
    std::string text;
    std::vector<std::pair<bool, bool>> syncs;
};
SyncWatch* watch = nullptr;

} // namespace

// Every access() of this executable passes through here; a child may hide /proc from it.
extern "C" int access(const char* path, int mode) {
    if (hideProc && std::strcmp(path, "/proc/self/fd") == 0) {
        errno = ENOENT;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_faccessat, AT_FDCWD, path, mode, 0));
}

// Every fsync of this executable passes through here on its way to the system.
extern "C" int fsync(int fd) {
    if (watch != nullptr) {
        struct stat info {};
        (void)::fstat(fd, &info);
        watch->syncs.emplace_back(S_ISDIR(info.st_mode), ReadText(watch->target) == watch->text);
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace {

// The new bytes reach the disk before the rename, and the rename itself after it.
TEST(SaveFile, CommitSyncsTheFileThenTheFolderAfterTheRename) {
    TempDir dir;
    SyncWatch seen{dir.File("a.txt"), "new", {}};
    ASSERT_TRUE(Save(seen.target, "old"));
    watch = &seen;
    const bool saved = Save(seen.target, seen.text);
    watch = nullptr;
    ASSERT_TRUE(saved);
    EXPECT_EQ(seen.syncs, (std::vector<std::pair<bool, bool>>{{false, false}, {true, true}}));
}

// The temporary file's name must not grow with the target's, whose name may take all of
// the 255 bytes a name can have.
TEST(SaveFile, NamesOfAnyAllowedLengthSave) {
    TempDir dir;
    for (const size_t length : {248, 251, 255}) {
        const std::string target = dir.File(std::string(length, 'a'));
        ASSERT_EQ(SaveFailure(target, "long"), "") << length;
        EXPECT_EQ(ReadText(target), "long");
    }
    EXPECT_EQ(FilesIn(dir), 3);
    EXPECT_EQ(SaveFailure(dir.File(std::string(256, 'a')), "x"), "File name too long");
}

// Links stay links; a relative link is read from its own folder, a dangling one makes the
// file it names, and the file saved into keeps its permissions.
TEST(SaveFile, SavesIntoTheFileALinkNames) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("sub"));
    const std::string real = dir.File("sub/real.txt");
    WriteBytes(real, {'o', 'l', 'd'});
    chmod(real.c_str(), 0640);
    std::filesystem::create_symlink("real.txt", dir.File("sub/inner"));
    std::filesystem::create_symlink("sub/inner", dir.File("outer"));
    std::filesystem::create_symlink(real, dir.File("absolute"));
    ASSERT_EQ(SaveFailure(dir.File("outer"), "through two"), "");
    EXPECT_EQ(ReadText(real), "through two");
    EXPECT_EQ(ModeOf(real), 0640U);
    ASSERT_EQ(SaveFailure(dir.File("absolute"), "absolute"), "");
    EXPECT_EQ(ReadText(real), "absolute");

    std::filesystem::create_symlink("new.txt", dir.File("dangling"));
    ASSERT_EQ(SaveFailure(dir.File("dangling"), "made"), "");
    EXPECT_EQ(ReadText(dir.File("new.txt")), "made");
    for (const char* link : {"outer", "sub/inner", "absolute", "dangling"}) {
        EXPECT_TRUE(std::filesystem::is_symlink(dir.File(link))) << link;
    }

    std::filesystem::create_symlink("loop-b", dir.File("loop-a"));
    std::filesystem::create_symlink("loop-a", dir.File("loop-b"));
    EXPECT_EQ(SaveFailure(dir.File("loop-a"), "x"), "Too many levels of symbolic links");
    EXPECT_EQ(FilesIn(dir), 7);
}

// A FIFO, a folder or a file without write permission (even for root) is refused and
// left as it was, also when a link names it.
TEST(SaveFile, RefusesTargetsThatAreNotWritableRegularFiles) {
    TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("fifo", dir.File("to-fifo"));
    for (const std::string& target : {fifo, dir.File("to-fifo"), dir.Path().string()}) {
        EXPECT_EQ(SaveFailure(target, "x"), "not a regular file") << target;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(std::filesystem::symlink_status(fifo)));

    const std::string locked = dir.File("locked.txt");
    WriteBytes(locked, {'k', 'e', 'p', 't'});
    chmod(locked.c_str(), 0444);
    std::filesystem::create_symlink("locked.txt", dir.File("to-locked"));
    EXPECT_EQ(SaveFailure(locked, "x"), "read-only file");
    EXPECT_EQ(SaveFailure(dir.File("to-locked"), "x"), "read-only file");
    EXPECT_EQ(ReadText(locked), "kept");
    EXPECT_EQ(ModeOf(locked), 0444U);
    EXPECT_EQ(FilesIn(dir), 4);
}

} // namespace
