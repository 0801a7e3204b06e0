#pragma once

#include <gtest/gtest.h>
#include <string>

// The error log's line for a report, as UTF-8 text (the file holds it in CP932).
std::string ExpectedLogLine(const std::string& tag, const std::string& message);

// "ErrorLog.err" of the current directory, converted from CP932 to UTF-8.
std::string ReadErrorLog();

void RemoveErrorLog();

// The statement must write exactly one log line with this tag and message and end the
// process with status 0. Run it in a test whose current directory is a scratch one.
#define EXPECT_REPORT(statement, tag, message)                                                     \
    do {                                                                                           \
        RemoveErrorLog();                                                                          \
        EXPECT_EXIT(statement, ::testing::ExitedWithCode(0), "");                                  \
        EXPECT_EQ(ReadErrorLog(), ExpectedLogLine(tag, message));                                  \
    } while (0)
