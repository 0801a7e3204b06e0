#include "platform/OpenRegularFile.h"
#include "support/InChild.h"
#include "support/TempDir.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(OpenRegularFile, ReadsRegularFilesThroughLinksInBlockingMode) {
    TempDir dir;
    WriteBytes(dir.File("course.cus"), {'a', 'b'});
    std::filesystem::create_symlink("course.cus", dir.File("link.cus"));
    std::FILE* file = OpenRegularFile(dir.File("link.cus").c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(::fcntl(fileno(file), F_GETFL) & O_NONBLOCK, 0);
    char bytes[3] = {};
    EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file), 2U);
    EXPECT_STREQ(bytes, "ab");
    (void)std::fclose(file);
}

// A FIFO, a folder and a device. A FIFO without a writer would block a plain open forever;
// the child's alarm turns such a hang into a failure.
TEST(OpenRegularFile, RefusesAnythingElseAtOnceAndSaysWhy) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo.cus").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.File("folder.cus"));
    for (const std::string& path :
         {dir.File("fifo.cus"), dir.File("folder.cus"), std::string("/dev/null")}) {
        const int result = InChild([&] {
            std::string failure;
            const bool refused = OpenRegularFile(path.c_str(), &failure) == nullptr;
            return refused && errno == EINVAL && failure == NotARegularFile ? 0 : 1;
        });
        EXPECT_EQ(result, 0) << path;
    }
    std::string failure;
    EXPECT_EQ(OpenRegularFile(dir.File("missing.cus").c_str(), &failure), nullptr);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(failure, "No such file or directory");
}

} // namespace
