#pragma once

#include <csignal>
#include <string_view>

// Removes a file that is being written when SIGTERM or SIGINT ends the process, so that an
// interrupted save leaves nothing behind. One name is held at a time. The handler is
// installed only for signals whose action is still the default; it removes the held name,
// restores the default action and raises the signal again, so the process still ends as
// the signal would have ended it.
namespace RemoveOnSignal {

// Holds `name` in the folder open as `folder` for removal. False, and nothing held, when
// another name is held already or the name does not fit the handler's buffer.
[[nodiscard]] bool Hold(int folder, std::string_view name);
// Stops holding the name, once the file was renamed or removed.
void Release();

// Defers SIGTERM and SIGINT in this thread for its lifetime, so that creating a file and
// holding its name happen with no signal in between.
class Deferred {
public:
    Deferred();
    ~Deferred();
    Deferred(const Deferred&) = delete;
    Deferred& operator=(const Deferred&) = delete;

private:
    sigset_t previous{};
};

} // namespace RemoveOnSignal
