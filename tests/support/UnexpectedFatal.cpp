#include "support/UnexpectedFatal.h"

#include "base/Error.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

constexpr int FailedStatus = 1;

void FailRunningTest(const char* tag, const char* message) {
    if (::testing::internal::InDeathTestChild()) {
        return;
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    (void)std::fprintf(stderr, "Unexpected fatal report in %s.%s: %s %s\n",
                       test != nullptr ? test->test_suite_name() : "(no test)",
                       test != nullptr ? test->name() : "", tag, message);
    (void)std::fflush(nullptr);
    std::_Exit(FailedStatus);
}

} // namespace

void FailOnUnexpectedFatal() {
    Error::SetFatalHook(FailRunningTest);
}
