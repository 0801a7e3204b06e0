#include "cli/TorcsOptions.h"

#include "base/NumberText.h"

#include <cstdint>
#include <string_view>

namespace {

constexpr std::int32_t MostLaps = 1000;

// A robot's module name names a folder of TORCS's drivers: no path in it.
bool IsModuleName(std::string_view name) {
    return !name.empty() && name.find('/') == std::string_view::npos && name != "." && name != "..";
}

} // namespace

std::optional<TorcsOptions> ParseTorcsOptions(bool testDrive, int count, char** arguments,
                                              std::string& error) {
    TorcsOptions options;
    for (int i = 0; i < count; i += 2) {
        const std::string_view option = arguments[i];
        if (i + 1 >= count) {
            error = "missing value or unknown option: " + std::string(option);
            return std::nullopt;
        }
        const std::string_view value = arguments[i + 1];
        std::int32_t laps = 0;
        if (option == "--scale") {
            if (!ParseNumber(value, options.scale) || options.scale <= 0.0) {
                error = "--scale needs a number above 0";
                return std::nullopt;
            }
        } else if (option == "--laps" && testDrive) {
            if (!ParseWhole(value, laps) || laps < 1 || laps > MostLaps) {
                error = "--laps needs a whole number from 1 to 1000";
                return std::nullopt;
            }
            options.laps = laps;
        } else if (option == "--driver" && testDrive) {
            if (!IsModuleName(value)) {
                error = "--driver needs the name of a TORCS robot, such as berniw";
                return std::nullopt;
            }
            options.driver = std::string(value);
        } else {
            error = std::string(option) + " is not an option of this command";
            return std::nullopt;
        }
    }
    return options;
}
