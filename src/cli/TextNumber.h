#pragma once

#include <string>
#include <string_view>

// Numbers as the command-line tool reads and writes them: in the C locale's notation,
// whatever the user's locale.

// True, with the value, when the whole text is one finite number.
bool ParseNumber(std::string_view text, double& value);
// Shortest text that reads back to the same double; "null" (JSON has no infinity or NaN)
// for one that is not finite.
std::string JsonNumber(double value);
