// Window tests: the real windows under Qt's offscreen platform, driven by messages and
// by Qt's synthetic mouse events.

#include "platform/Application.h"
#include "support/UnexpectedFatal.h"

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    // Qt runs threads of its own; death tests must start a fresh process.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    FailOnUnexpectedFatal();
    platform::StartApplication(argc, argv);
    return RUN_ALL_TESTS();
}
