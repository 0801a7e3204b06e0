#pragma once

#include <string_view>

// Numbers as the command-line tool reads them: in the C locale's notation, whatever the
// user's locale.

// True, with the value, when the whole text is one finite number.
bool ParseNumber(std::string_view text, double& value);
