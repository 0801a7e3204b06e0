#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

// Numbers as text and back, in the C locale's notation whatever the user's locale.

// A number with a fixed count of decimals for people to read; "?" for one too long to
// write.
inline std::string DecimalText(double value, int decimals) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed, decimals);
    return result.ec == std::errc{} ? std::string(text, result.ptr) : std::string("?");
}

// Shortest text that reads back to the same double.
inline std::string ShortestText(double value) {
    char text[32];
    return {text, std::to_chars(text, text + sizeof(text), value).ptr};
}

// ShortestText, or "null" (JSON has no infinity or NaN) for a number that is not finite.
inline std::string JsonNumber(double value) {
    return std::isfinite(value) ? ShortestText(value) : std::string("null");
}

// True, with the value, when the whole text is one finite number.
inline bool ParseNumber(std::string_view text, double& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// True, with the value, when the whole text is one whole number in range.
inline bool ParseWhole(std::string_view text, std::int32_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}
