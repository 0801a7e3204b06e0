#pragma once

#include "exchange/TestDrive.h"

#include <string>

// A test drive's report as the command-line tool prints it: one JSON object with the
// track trackgen built (length in metres, how far its end misses its start), the robot,
// each lap's time in seconds, the best lap, the top speed in km/h (null where TORCS did not
// report them) and whether every lap was driven.
std::string TestDriveJson(const TestDrive::Options& options, const TestDrive::Report& report);
