#pragma once

#include <string>
#include <string_view>

// Calls `take(option, value)` for each "--option value" pair of the arguments, stopping at
// the first pair it refuses (it returns false, with `error` set). False too, with `error`
// naming it, for a last option without a value.
template <class Take>
bool ForEachOptionPair(int count, char** arguments, std::string& error, Take&& take) {
    for (int i = 0; i < count; i += 2) {
        const std::string_view option = arguments[i];
        if (i + 1 >= count) {
            error = "missing value or unknown option: " + std::string(option);
            return false;
        }
        if (!take(option, std::string_view(arguments[i + 1]))) {
            return false;
        }
    }
    return true;
}
