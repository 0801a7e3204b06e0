#pragma once

#include <string>

// A one-line JSON summary of the current course: counts, course-wide state, the length
// of the centre line through the course rows, the bounds of those rows and the course's
// measurements.
std::string CourseInfoJson();
