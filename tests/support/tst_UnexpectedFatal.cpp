#include "base/Error.h"

#include <gtest/gtest.h>

namespace {

// Fails on purpose: run only by the harness check, which expects this executable to end
// with a failure status when a test meets a fatal report it did not expect. The check runs
// it in a scratch folder, where the error log lands.
TEST(DISABLED_UnexpectedFatal, FailsTheTestExecutable) {
    Error::Fatal("Harness1", "expected to fail the executable");
}

} // namespace
