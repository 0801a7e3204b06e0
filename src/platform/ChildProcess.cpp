#include "platform/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ChildProcess {
namespace {

using Clock = std::chrono::steady_clock;

// How often a quiet program is checked for its deadline and its end.
constexpr int PollMilliseconds = 50;
// How long the group has after SIGTERM before SIGKILL, and how long output is then awaited.
constexpr auto Grace = std::chrono::seconds(2);

std::string Describe(const std::string& subject, int error) {
    return subject + ": " + std::strerror(error);
}

// The caller's environment with the request's pairs set or replaced; of two pairs with one
// name the later wins.
std::vector<std::string> ChildEnvironment(const Request& request) {
    const auto& pairs = request.environment;
    const auto isSetLater = [&](std::string_view name, size_t after) {
        for (size_t i = after; i < pairs.size(); ++i) {
            if (pairs[i].first == name) {
                return true;
            }
        }
        return false;
    };
    std::vector<std::string> entries;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        if (!isSetLater(text.substr(0, text.find('=')), 0)) {
            entries.emplace_back(text);
        }
    }
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (!isSetLater(pairs[i].first, i + 1)) {
            entries.push_back(pairs[i].first + '=' + pairs[i].second);
        }
    }
    return entries;
}

std::vector<char*> NullTerminated(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (std::string& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    [[nodiscard]] int Get() const { return fd; }
    void Close() {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }

private:
    int fd;
};

// Spawn attributes and file actions, released however the spawn goes.
struct SpawnSetup {
    posix_spawnattr_t attributes{};
    posix_spawn_file_actions_t actions{};
    SpawnSetup() {
        posix_spawnattr_init(&attributes);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

// A group of its own, every signal at its default action and none blocked, the output pipe
// as stdout and stderr, /dev/null as stdin, and no other descriptor of the caller's. Returns
// the first error, or 0.
int PrepareSpawn(SpawnSetup& setup, int outputFd, int directoryFd) {
    sigset_t all;
    sigset_t none;
    sigfillset(&all);
    sigemptyset(&none);
    posix_spawnattr_t* attributes = &setup.attributes;
    posix_spawn_file_actions_t* actions = &setup.actions;
    const int flags = POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
    const int errors[] = {
        posix_spawnattr_setflags(attributes, flags),
        posix_spawnattr_setpgroup(attributes, 0),
        posix_spawnattr_setsigdefault(attributes, &all),
        posix_spawnattr_setsigmask(attributes, &none),
        directoryFd < 0 ? 0 : posix_spawn_file_actions_addfchdir_np(actions, directoryFd),
        posix_spawn_file_actions_adddup2(actions, outputFd, STDOUT_FILENO),
        posix_spawn_file_actions_adddup2(actions, outputFd, STDERR_FILENO),
        posix_spawn_file_actions_addopen(actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0),
        posix_spawn_file_actions_addclosefrom_np(actions, STDERR_FILENO + 1),
    };
    for (const int error : errors) {
        if (error != 0) {
            return error;
        }
    }
    return 0;
}

// Splits the output into lines for the callback and keeps all of it for the result.
class LineReader {
public:
    LineReader(const std::function<bool(std::string_view)>& onLine, std::string& output)
        : onLine(onLine), output(output) {}

    // Reads what the pipe holds; false at its end or on a read error.
    bool ReadFrom(int fd) {
        char buffer[4096];
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && (errno == EINTR || errno == EAGAIN)) {
            return true;
        }
        if (count <= 0) {
            DeliverRest();
            return false;
        }
        const size_t start = output.size();
        output.append(buffer, static_cast<size_t>(count));
        DeliverLines(start);
        return true;
    }
    [[nodiscard]] bool StopWanted() const { return stopWanted; }

private:
    void DeliverLines(size_t searchFrom) {
        size_t newline = output.find('\n', searchFrom);
        while (newline != std::string::npos) {
            Deliver(std::string_view(output).substr(lineStart, newline - lineStart));
            lineStart = newline + 1;
            newline = output.find('\n', lineStart);
        }
    }
    void DeliverRest() {
        if (lineStart < output.size()) {
            Deliver(std::string_view(output).substr(lineStart));
            lineStart = output.size();
        }
    }
    void Deliver(std::string_view line) {
        if (!stopWanted && !onLine(line)) {
            stopWanted = true;
        }
    }

    const std::function<bool(std::string_view)>& onLine;
    std::string& output;
    size_t lineStart = 0;
    bool stopWanted = false;
};

// Waits up to `milliseconds` for output and reads it; false once the pipe has ended.
bool ReadFor(LineReader& reader, int fd, int milliseconds) {
    pollfd entry{fd, POLLIN, 0};
    const int ready = ::poll(&entry, 1, milliseconds);
    if (ready < 0) {
        return errno == EINTR;
    }
    return ready == 0 || reader.ReadFrom(fd);
}

// Whether the program has ended, without reaping it: while it is a zombie its id stays
// reserved, so signalling its group cannot reach an unrelated process.
bool HasEnded(pid_t pid) {
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == pid;
}

// Follows a started program until it ends, is stopped or runs out of time.
class Watch {
public:
    Watch(pid_t pid, int fd, LineReader& reader) : pid(pid), fd(fd), reader(reader) {}

    Result::End Follow(std::optional<Clock::time_point> deadline) {
        for (;;) {
            if (reader.StopWanted()) {
                EndGroup();
                return Result::End::Stopped;
            }
            if (deadline && Clock::now() >= *deadline) {
                EndGroup();
                return Result::End::TimedOut;
            }
            if (HasEnded(pid)) {
                if (piping) {
                    EndGroup();
                }
                return Result::End::Exited;
            }
            Wait();
        }
    }

private:
    // Reads output for a moment, or only lets the moment pass once the pipe has ended.
    void Wait() {
        if (piping) {
            piping = ReadFor(reader, fd, PollMilliseconds);
        } else {
            (void)::poll(nullptr, 0, PollMilliseconds);
        }
    }

    // Every member of the group holds the pipe, so its end and the program's tell that the
    // group is gone. A holder outside the group is not waited for beyond the second grace.
    void EndGroup() {
        (void)::kill(-pid, SIGTERM);
        if (!SettledBy(Clock::now() + Grace)) {
            (void)::kill(-pid, SIGKILL);
            (void)SettledBy(Clock::now() + Grace);
        }
    }

    bool SettledBy(Clock::time_point until) {
        for (;;) {
            if (!piping && HasEnded(pid)) {
                return true;
            }
            if (Clock::now() >= until) {
                return false;
            }
            Wait();
        }
    }

    pid_t pid;
    int fd;
    LineReader& reader;
    bool piping = true;
};

// No deadline for 0 (or less, or not a number); limits beyond a century are taken as one,
// which keeps the clock arithmetic in range.
std::optional<Clock::time_point> Deadline(double timeoutSeconds) {
    constexpr double Century = 100.0 * 365 * 24 * 3600;
    if (!(timeoutSeconds > 0)) {
        return std::nullopt;
    }
    const std::chrono::duration<double> limit(std::min(timeoutSeconds, Century));
    return Clock::now() + std::chrono::duration_cast<Clock::duration>(limit);
}

int Reap(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Starts the program writing into `outputFd`; false, with `failure` set, when it cannot be.
bool Start(const Request& request, int outputFd, pid_t& pid, std::string& failure) {
    const Descriptor directory(
        request.directory.empty()
            ? -1
            : ::open(request.directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!request.directory.empty() && directory.Get() < 0) {
        failure = Describe(request.directory, errno);
        return false;
    }
    SpawnSetup setup;
    if (const int error = PrepareSpawn(setup, outputFd, directory.Get()); error != 0) {
        failure = Describe(request.program, error);
        return false;
    }
    std::vector<std::string> argumentStrings{request.program};
    argumentStrings.insert(argumentStrings.end(), request.arguments.begin(),
                           request.arguments.end());
    std::vector<std::string> environmentStrings = ChildEnvironment(request);
    const std::vector<char*> argv = NullTerminated(argumentStrings);
    const std::vector<char*> envp = NullTerminated(environmentStrings);
    const int error = posix_spawnp(&pid, request.program.c_str(), &setup.actions, &setup.attributes,
                                   argv.data(), envp.data());
    if (error != 0) {
        failure = Describe(request.program, error);
        return false;
    }
    return true;
}

} // namespace

Result Run(const Request& request, const std::function<bool(std::string_view line)>& onLine) {
    Result result;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        result.failure = Describe(request.program, errno);
        return result;
    }
    const Descriptor readEnd(ends[0]);
    Descriptor writeEnd(ends[1]);
    pid_t pid = 0;
    if (!Start(request, writeEnd.Get(), pid, result.failure)) {
        return result;
    }
    writeEnd.Close();
    LineReader reader(onLine, result.output);
    result.end = Watch(pid, readEnd.Get(), reader).Follow(Deadline(request.timeoutSeconds));
    const int status = Reap(pid);
    if (result.end == Result::End::Exited && WIFSIGNALED(status)) {
        result.end = Result::End::Signalled;
        result.signal = WTERMSIG(status);
    } else if (result.end == Result::End::Exited) {
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}

} // namespace ChildProcess
