#pragma once

#include "model/CourseAnalysis.h"
#include "platform/Windows.h"

// The inspector: a panel under the tool buttons that shows the course's measurements, the
// selected point's values and the course check's warnings. A click on a warning selects
// the first point of its segment, centres the views on it and shows the warning's message
// in the status line.
namespace InspectorWindow {

constexpr const char* ClassName = "InspectorWindow1";

void Create(platform::WindowHandle parent);
void End();
platform::WindowHandle GetWindow();
void Place(int x, int y, int width, int height);
// Checks the course again and repaints: after every change to the course or the selection.
void Update();
// The last check, which the views mark.
const CourseAnalysis::Analysis& Current();
// The line at a client y, as the panel draws it; -1 for none.
int LineAt(int y);

} // namespace InspectorWindow
