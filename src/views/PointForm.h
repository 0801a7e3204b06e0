#pragma once

#include <string>
#include <vector>

// The form that types a course point's values exactly: its position, bank in degrees, the
// two half-widths and the sample count of its segment, as texts in that order.
namespace PointForm {

constexpr double MaxBankDegrees = 180.0;

// The fields' labels, and the point's values as the form shows them at first.
std::vector<std::string> Labels();
std::vector<std::string> Texts(int point);
// What is wrong with the typed texts, naming the field; empty when every one is fine.
std::string Check(const std::vector<std::string>& texts);
// Sets the point to texts that Check passed; the point must be the selected one, whose
// sample count the course model changes.
void Apply(int point, const std::vector<std::string>& texts);

} // namespace PointForm
