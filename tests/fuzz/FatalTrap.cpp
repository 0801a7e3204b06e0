// Linked into every fuzzer: a fatal report would end the process with status 0, which
// libFuzzer takes for a clean exit. Trapping instead makes it a crash that libFuzzer
// reports and keeps the input of.

#include "base/Error.h"

namespace {

[[noreturn]] void Trap(const char* /*tag*/, const char* /*message*/) {
    __builtin_trap();
}

[[maybe_unused]] const bool trapInstalled = (Error::SetFatalHook(Trap), true);

} // namespace
