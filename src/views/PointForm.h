#pragma once

#include "platform/Dialogs.h"

#include <string>
#include <vector>

// The form that types a course point's values exactly: its position, bank in degrees, the
// two half-widths and the sample count of its segment, as texts in that order.
namespace PointForm {

constexpr double MaxBankDegrees = 180.0;

// The point's values, each with its label, as the form shows them at first.
std::vector<platform::FormField> Fields(int point);
// What is wrong with the typed texts, naming the field; empty when every one is fine.
std::string Check(const std::vector<std::string>& texts);
// Sets the point to texts that Check passed; the point must be the selected one, whose
// sample count the course model changes.
void Apply(int point, const std::vector<std::string>& texts);

} // namespace PointForm
