#pragma once

#include <charconv>
#include <cmath>
#include <string>

// Numbers as text in the C locale's notation, whatever the user's locale.

// A number with a fixed count of decimals for people to read; "?" for one too long to
// write.
inline std::string DecimalText(double value, int decimals) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed, decimals);
    return result.ec == std::errc{} ? std::string(text, result.ptr) : std::string("?");
}

// Shortest text that reads back to the same double; "null" (JSON has no infinity or NaN)
// for one that is not finite.
inline std::string JsonNumber(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char text[32];
    return {text, std::to_chars(text, text + sizeof(text), value).ptr};
}
