#include "platform/OpenRegularFile.h"
#include "support/InChild.h"
#include "support/TempDir.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// A FIFO, a folder and a device. A FIFO without a writer would block a plain open forever;
// the child's alarm turns such a hang into a failure. A link to a regular file opens.
TEST(OpenRegularFile, RefusesAnythingButRegularFilesAtOnceAndSaysWhy) {
    TempDir dir;
    WriteBytes(dir.File("course.cus"), {'a', 'b'});
    std::filesystem::create_symlink("course.cus", dir.File("link.cus"));
    std::FILE* file = OpenRegularFile(dir.File("link.cus").c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(std::fgetc(file), 'a');
    (void)std::fclose(file);
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
