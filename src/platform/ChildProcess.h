#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Runs an external program to its end, streaming its output line by line, and stops it on
// demand or at a deadline. Safe to use from a worker thread: it keeps no global state,
// installs no signal handlers and waits only for its own child.
namespace ChildProcess {

struct Request {
    // A path (a relative one starts from `directory`), or a name looked up in the caller's PATH.
    std::string program;
    std::vector<std::string> arguments; // without the program itself
    std::string directory;              // working directory; empty: the caller's
    // Set or replaced in the child's environment, the rest inherited; of two pairs with one
    // name the later wins.
    std::vector<std::pair<std::string, std::string>> environment;
    double timeoutSeconds = 0; // wall-clock limit; 0: none
};

struct Result {
    enum class End { Exited, Signalled, TimedOut, Stopped, NotStarted };
    End end = End::NotStarted;
    int exitCode = 0;    // when Exited
    int signal = 0;      // when Signalled
    std::string output;  // everything it wrote to stdout and stderr, interleaved as it came
    std::string failure; // when NotStarted: why, in words, naming the program or directory
};

// Runs the program with stdin from /dev/null and stdout and stderr merged into one pipe,
// and returns how it ended. `onLine` sees each line of the output (without the newline) as
// it comes, the last one even without a newline; returning false stops the program, and
// `onLine` is not called again. The program runs in a process group of its own. Stopping it
// (on false, on timeout) ends the whole group: SIGTERM, then SIGKILL after a short grace,
// so helpers it started go too. When the program ends by itself, whatever is left of its
// group is ended the same way, so a leftover helper cannot hold the run open. Returns only
// once the program has been reaped.
[[nodiscard]] Result Run(const Request& request,
                         const std::function<bool(std::string_view line)>& onLine);

} // namespace ChildProcess
