#pragma once

#include <filesystem>
#include <string>

// Shared set-up for the course-core benchmarks: a realistic course in the course model
// and a scratch directory on the machine's temporary file system.

// The number of points the benchmarks' courses have: the most a course can hold.
constexpr int BenchPointNum = 256;

// Replaces the current course with a smooth closed circuit of `points` points: a lobed
// loop a few kilometres round with rolling height, banked corners, widths that vary
// along it and some hand-fixed tangents. Every point gets `samples` samples.
void BuildBenchCourse(int points, int samples);

// A directory created on first use under the temporary directory ($TMPDIR or /tmp)
// and removed with everything in it when the program ends.
const std::filesystem::path& BenchDirectory();
std::string BenchFile(const std::string& name);
