#include "platform/ChildProcess.h"
#include "support/InChild.h"
#include "support/TempDir.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using ChildProcess::Result;

namespace {

ChildProcess::Request Shell(const std::string& script) {
    ChildProcess::Request request;
    request.program = "/bin/sh";
    request.arguments = {"-c", script};
    return request;
}

// Runs the request and collects the lines the callback saw.
Result RunCollecting(const ChildProcess::Request& request, std::vector<std::string>& lines) {
    return ChildProcess::Run(request, [&](std::string_view line) {
        lines.emplace_back(line);
        return true;
    });
}

// Whether the process is gone, or a zombie nobody has reaped yet, within a few seconds: one
// killed a moment ago may still be on its way out, and the wait is only a safety net.
bool IsGoneSoon(pid_t pid) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string text;
        std::getline(stat, text);
        const size_t close = text.rfind(") ");
        if (close == std::string::npos || text.compare(close + 2, 1, "Z") == 0) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

TEST(ChildProcess, PassesExitCodesAndEndingSignalsThrough) {
    const struct {
        const char* script;
        Result::End end;
        int exitCode;
        int signal;
    } cases[] = {
        {"exit 3", Result::End::Exited, 3, 0},
        {"exec >&-; exit 4", Result::End::Exited, 4, 0},
        {"kill -KILL $$", Result::End::Signalled, 0, SIGKILL},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines;
        const Result result = RunCollecting(Shell(c.script), lines);
        EXPECT_EQ(result.end, c.end) << c.script;
        EXPECT_EQ(result.exitCode, c.exitCode) << c.script;
        EXPECT_EQ(result.signal, c.signal) << c.script;
    }
}

// A zombie of the calling thread's and the children of runs on other threads keep their
// statuses.
TEST(ChildProcess, RunsOnSeveralThreadsAndReapsOnlyItsOwnChild) {
    std::vector<Result> results(3);
    std::vector<pid_t> strays(results.size());
    std::vector<std::thread> threads;
    for (size_t i = 0; i < results.size(); ++i) {
        threads.emplace_back([&results, &strays, i] {
            strays[i] = ::fork();
            if (strays[i] == 0) {
                ::_exit(7);
            }
            siginfo_t info{};
            (void)::waitid(P_PID, static_cast<id_t>(strays[i]), &info, WEXITED | WNOWAIT);
            std::vector<std::string> lines;
            results[i] = RunCollecting(Shell("sleep 0.1; exit " + std::to_string(10 + i)), lines);
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(results[i].exitCode, static_cast<int>(10 + i)) << i;
        int status = 0;
        EXPECT_EQ(::waitpid(strays[i], &status, 0), strays[i]);
        EXPECT_EQ(WEXITSTATUS(status), 7);
    }
}

// Two thousand lines span many reads, so lines are also joined across them.
TEST(ChildProcess, DeliversOutputLinesInOrderWithStderrMergedAndTheLastUnterminated) {
    std::vector<std::string> lines;
    const Result result =
        RunCollecting(Shell("echo one; echo two >&2; echo; echo four; printf five"), lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "", "four", "five"}));
    EXPECT_EQ(result.output, "one\ntwo\n\nfour\nfive");
    std::vector<std::string> many;
    const Result counted = RunCollecting(Shell("seq 2000"), many);
    std::vector<std::string> expected;
    for (int i = 1; i <= 2000; ++i) {
        expected.push_back(std::to_string(i));
    }
    EXPECT_EQ(many, expected);
    EXPECT_EQ(counted.output.size(), 8893U);
}

// The test process ignores SIGPIPE, blocks SIGTERM and holds a descriptor without
// close-on-exec; the child must get none of that.
TEST(ChildProcess, StartsTheChildCleanWithStdinFromDevNull) {
    const int result = InChild([] {
        (void)std::signal(SIGPIPE, SIG_IGN);
        sigset_t blocked;
        sigemptyset(&blocked);
        sigaddset(&blocked, SIGTERM);
        (void)::sigprocmask(SIG_BLOCK, &blocked, nullptr);
        if (::dup2(STDERR_FILENO, 200) != 200 || ::dup2(::open("/", O_RDONLY), 0) != 0) {
            return 16;
        }
        std::vector<std::string> lines;
        const auto run = [&](const char* script) { return RunCollecting(Shell(script), lines); };
        const Result pipe = run("kill -PIPE $$");
        const Result term = run("kill -TERM $$");
        (void)run("readlink /proc/$$/fd/0; test -e /proc/$$/fd/200 && echo open; "
                  "cut -d' ' -f5 /proc/$$/stat; echo $$");
        const bool ownGroup = lines.size() == 3 && std::stoi(lines[1]) == std::stoi(lines[2]) &&
                              std::stoi(lines[1]) != ::getpgrp();
        return (pipe.signal == SIGPIPE ? 0 : 1) | (term.signal == SIGTERM ? 0 : 2) |
               (lines.size() == 3 && lines[0] == "/dev/null" ? 0 : 4) | (ownGroup ? 0 : 8);
    });
    EXPECT_EQ(result, 0);
}

TEST(ChildProcess, ReportsAProgramThatCannotBeStartedByName) {
    TempDir dir;
    WriteBytes(dir.File("plain"), {'e', 'x', 'i', 't', '\n'});
    ::chmod(dir.File("plain").c_str(), 0644);
    const struct {
        std::string program;
        std::string directory;
        std::string failure;
    } cases[] = {
        {"/nonexistent/trackgen-bin", "", "/nonexistent/trackgen-bin: No such file or directory"},
        {dir.File("plain"), "", dir.File("plain") + ": Permission denied"},
        {"/bin/sh", "/nonexistent/folder", "/nonexistent/folder: No such file or directory"},
    };
    for (const auto& c : cases) {
        ChildProcess::Request request;
        request.program = c.program;
        request.directory = c.directory;
        std::vector<std::string> lines;
        const Result result = RunCollecting(request, lines);
        EXPECT_EQ(result.end, Result::End::NotStarted) << c.program;
        EXPECT_EQ(result.failure, c.failure);
        EXPECT_TRUE(lines.empty()) << c.program;
    }
}

TEST(ChildProcess, StopsWhenTheCallbackSaysSoAndCallsItNoMore) {
    std::vector<std::string> lines;
    const Result result = ChildProcess::Run(Shell("i=0; while :; do i=$((i+1)); echo $i; done"),
                                            [&](std::string_view line) {
                                                lines.emplace_back(line);
                                                return line != "3";
                                            });
    EXPECT_EQ(result.end, Result::End::Stopped);
    EXPECT_EQ(lines, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(result.output.rfind("1\n2\n3\n", 0), 0U);
}

// The helper is asked to end first, and gets the time to say so.
TEST(ChildProcess, TimesOutAndEndsTheWholeGroup) {
    ChildProcess::Request request =
        Shell("(trap 'echo helper ends; exit' TERM; sleep 10 & wait) & echo $!; wait");
    request.timeoutSeconds = 0.3;
    std::vector<std::string> lines;
    const Result result = RunCollecting(request, lines);
    EXPECT_EQ(result.end, Result::End::TimedOut);
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines.back(), "helper ends");
    EXPECT_TRUE(IsGoneSoon(std::stoi(lines[0])));
}

// A helper left behind holds the pipe open; the run still ends with the program, and the
// helper goes. The timeout only turns a hang into a failure.
TEST(ChildProcess, EndsHelpersLeftBehindByAProgramThatExited) {
    ChildProcess::Request request = Shell("sleep 30 & echo $!; exit 5");
    request.timeoutSeconds = 20;
    std::vector<std::string> lines;
    const Result result = RunCollecting(request, lines);
    EXPECT_EQ(result.end, Result::End::Exited);
    EXPECT_EQ(result.exitCode, 5);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_TRUE(IsGoneSoon(std::stoi(lines[0])));
}

// SIGKILL follows once the grace is over. The child's alarm turns a hang into a failure.
TEST(ChildProcess, KillsAGroupThatIgnoresSigterm) {
    const int result = InChild(
        [] {
            std::vector<std::string> lines;
            const Result run =
                ChildProcess::Run(Shell("trap '' TERM; sleep 60 & echo $!; wait; echo survived"),
                                  [&](std::string_view line) {
                                      lines.emplace_back(line);
                                      return false;
                                  });
            return run.end == Result::End::Stopped && lines.size() == 1 &&
                           IsGoneSoon(std::stoi(lines[0])) &&
                           run.output.find("survived") == std::string::npos
                       ? 0
                       : 1;
        },
        20);
    EXPECT_EQ(result, 0);
}

// The environment is printed by env itself, since a shell would tidy it up.
TEST(ChildProcess, GivesTheChildItsDirectoryAndEnvironment) {
    TempDir dir;
    ChildProcess::Request request;
    request.program = "pwd";
    request.directory = dir.Path().string();
    std::vector<std::string> lines;
    (void)RunCollecting(request, lines);
    ASSERT_EQ(::setenv("VELMORA_INHERITED", "kept", 1), 0);
    ASSERT_EQ(::setenv("VELMORA_REPLACED", "old", 1), 0);
    request.program = "env";
    request.environment = {
        {"VELMORA_REPLACED", "first"}, {"VELMORA_NEW", "a b=c"}, {"VELMORA_REPLACED", "new"}};
    (void)RunCollecting(request, lines);
    (void)::unsetenv("VELMORA_INHERITED");
    (void)::unsetenv("VELMORA_REPLACED");
    std::vector<std::string> seen = {lines.at(0)};
    for (const std::string& line : lines) {
        if (line.rfind("VELMORA_", 0) == 0) {
            seen.push_back(line);
        }
    }
    std::sort(seen.begin() + 1, seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{std::filesystem::canonical(dir.Path()).string(),
                                              "VELMORA_INHERITED=kept", "VELMORA_NEW=a b=c",
                                              "VELMORA_REPLACED=new"}));
}

} // namespace
