#include "platform/RemoveOnSignal.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum class Before { Raise, ReleaseThenRaise, IgnoreThenRaise };

// A child creates "part" in the folder, holds it, and raises `signal`. Returns the signal
// that ended the child, or 0 when it lived on.
int SignalEndingChild(const TempDir& dir, int signal, Before before) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (before == Before::IgnoreThenRaise) {
            (void)std::signal(signal, SIG_IGN);
        }
        const int folder = ::open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY);
        ::close(::openat(folder, "part", O_CREAT | O_WRONLY, 0600));
        if (!RemoveOnSignal::Hold(folder, "part") || RemoveOnSignal::Hold(folder, "other")) {
            ::_exit(2);
        }
        if (before == Before::ReleaseThenRaise) {
            RemoveOnSignal::Release();
        }
        (void)::raise(signal);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : -WEXITSTATUS(status);
}

TEST(RemoveOnSignal, TheHeldFileGoesAndTheSignalStillEndsTheProcess) {
    for (const int signal : {SIGTERM, SIGINT}) {
        TempDir dir;
        EXPECT_EQ(SignalEndingChild(dir, signal, Before::Raise), signal);
        EXPECT_FALSE(std::filesystem::exists(dir.File("part"))) << signal;
    }
}

TEST(RemoveOnSignal, AReleasedNameAndAnIgnoredSignalLeaveTheFile) {
    TempDir released;
    EXPECT_EQ(SignalEndingChild(released, SIGTERM, Before::ReleaseThenRaise), SIGTERM);
    EXPECT_TRUE(std::filesystem::exists(released.File("part")));
    TempDir ignored;
    EXPECT_EQ(SignalEndingChild(ignored, SIGINT, Before::IgnoreThenRaise), 0);
    EXPECT_TRUE(std::filesystem::exists(ignored.File("part")));
}

} // namespace
