#pragma once

#include "model/CourseAnalysis.h"

#include <optional>
#include <string>

// The course's measurements and warnings as the command-line tool prints them.

// One JSON object of the measurements, in course units; null where a value does not apply.
std::string MeasurementsJson(const CourseAnalysis::Measurements& measurements);
// {"measurements": {...}, "warnings": [...]}, each warning with its kind, place, side
// where it has one, the measured value against its limit and its message in English and
// Japanese.
std::string CheckJson(const CourseAnalysis::Analysis& analysis);
// The limits given by `--max-gradient PCT` and `--max-bank DEG` (each a number ≥ 0),
// the defaults for those not given; none, with `error` set, for anything else.
std::optional<CourseAnalysis::Limits> ParseCheckLimits(int argc, char** argv, std::string& error);
