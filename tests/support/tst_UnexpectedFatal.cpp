#include "base/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// Fails on purpose: run only by the harness check, which expects this executable to end
// with a failure status when a test meets a fatal report it did not expect.
TEST(DISABLED_UnexpectedFatal, FailsTheTestExecutable) {
    TempDir scratch;
    CurrentDir inScratch(scratch.Path());
    Error::Fatal("Harness1", "expected to fail the executable");
}

} // namespace
