#pragma once

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

// Runs `body` in a child process and returns its result (0 to 255), or -1 when the child
// did not end normally. An alarm ends a child still running after `seconds`, so a call that
// would block forever fails its test instead of hanging the run.
inline int InChild(const std::function<int()>& body, unsigned seconds = 60) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(seconds);
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
