#pragma once

#include "exchange/TorcsTrack.h"

#include <optional>
#include <string>

// The options of `velmora-cli export-torcs` and `test-drive`, after their operands.
struct TorcsOptions {
    double scale = TorcsTrack::DefaultScale; // metres a course unit
    int laps = 2;
    std::string driver = "berniw"; // the robot's module
};

// `--scale S` (above 0) for both; `--laps N` (1 to 1000) and `--driver NAME` for a test
// drive only. None, with `error` set, for anything else.
std::optional<TorcsOptions> ParseTorcsOptions(bool testDrive, int count, char** arguments,
                                              std::string& error);
