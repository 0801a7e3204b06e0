#pragma once

#include <charconv>
#include <string>

// A number with a fixed count of decimals for people to read, in the C locale's notation
// whatever the user's locale; "?" for one too long to write.
inline std::string DecimalText(double value, int decimals) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed, decimals);
    return result.ec == std::errc{} ? std::string(text, result.ptr) : std::string("?");
}
