#pragma once

#include "support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <span>
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

// One row of a layer's table of fatal reports: what provokes it and the line it logs.
struct ReportCase {
    std::function<void()> statement;
    const char* tag;
    const char* message;
};

// A test in a fresh current directory, so that files and any error log stay out of the
// source tree.
class ScratchDirTest : public ::testing::Test {
protected:
    TempDir dir;
    CurrentDir inDir{dir.Path()};
};

// Runs every row as EXPECT_REPORT does.
void ExpectReports(std::span<const ReportCase> cases);
