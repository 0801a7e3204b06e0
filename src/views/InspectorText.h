#pragma once

#include "model/CourseAnalysis.h"

#include <string>
#include <vector>

// What the inspector panel says, line by line: the course's measurements, the selected
// point's values and the warnings, in short Japanese labels that fit the narrow panel.
namespace InspectorText {

struct Line {
    std::string text;
    int warning = -1; // the index of the warning the line names, -1 for other lines
};

std::vector<Line> Lines(const CourseAnalysis::Analysis& analysis);

} // namespace InspectorText
