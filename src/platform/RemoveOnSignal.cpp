#include "platform/RemoveOnSignal.h"

#include <atomic>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace RemoveOnSignal {
namespace {

constexpr int Signals[] = {SIGTERM, SIGINT};

// What the handler reads: plain data written before `held` is set and after it is cleared.
char heldName[NAME_MAX + 1];
int heldFolder = -1;
std::atomic<bool> held{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the handler reads the flag");

// Only async-signal-safe calls: unlinkat, sigaction and raise.
extern "C" void RemoveAndEnd(int signal) {
    if (held.load()) {
        (void)::unlinkat(heldFolder, heldName, 0);
    }
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    (void)::sigaction(signal, &fallback, nullptr);
    (void)::raise(signal);
}

// A signal the program ignores or handles itself is left as it is.
void InstallOnce() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    for (const int signal : Signals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
            (current.sa_flags & SA_SIGINFO) != 0) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = RemoveAndEnd;
        sigemptyset(&action.sa_mask);
        (void)::sigaction(signal, &action, nullptr);
    }
}

sigset_t SignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : Signals) {
        sigaddset(&set, signal);
    }
    return set;
}

} // namespace

bool Hold(int folder, std::string_view name) {
    if (held.load() || name.size() >= sizeof heldName) {
        return false;
    }
    InstallOnce();
    std::memcpy(heldName, name.data(), name.size());
    heldName[name.size()] = '\0';
    heldFolder = folder;
    held.store(true);
    return true;
}

void Release() {
    held.store(false);
}

Deferred::Deferred() {
    const sigset_t set = SignalSet();
    (void)::pthread_sigmask(SIG_BLOCK, &set, &previous);
}

Deferred::~Deferred() {
    (void)::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

} // namespace RemoveOnSignal
