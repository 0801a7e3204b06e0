// The unit tests' entry: GoogleTest's own, with unexpected fatal reports failing the run.

#include "support/UnexpectedFatal.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    FailOnUnexpectedFatal();
    return RUN_ALL_TESTS();
}
