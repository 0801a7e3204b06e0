#pragma once

#include "exchange/TestDrive.h"

#include <optional>
#include <string>

// The options of `velmora-cli export-torcs` and `test-drive`, after their operands:
// `--scale S` (above 0) for both; `--laps N` (1 to 1000) and `--driver NAME` for a test
// drive only. None, with `error` set, for anything else.
std::optional<TestDrive::Options> ParseTorcsOptions(bool testDrive, int count, char** arguments,
                                                    std::string& error);
