#include "cli/TorcsOptions.h"

#include "base/NumberText.h"
#include "cli/OptionPairs.h"

#include <cstdint>
#include <string_view>

namespace {

constexpr std::int32_t MostLaps = 1000;

// A robot's module name names a folder of TORCS's drivers: no path in it.
bool IsModuleName(std::string_view name) {
    return !name.empty() && name.find('/') == std::string_view::npos && name != "." && name != "..";
}

// Takes one option's value into `options`; false, with `error` set, for a bad value or an
// option this command does not have.
bool TakeOption(bool testDrive, std::string_view option, std::string_view value,
                TestDrive::Options& options, std::string& error) {
    std::int32_t laps = 0;
    if (option == "--scale") {
        if (!ParseNumber(value, options.scale) || options.scale <= 0.0) {
            error = "--scale needs a number above 0";
            return false;
        }
    } else if (option == "--laps" && testDrive) {
        if (!ParseWhole(value, laps) || laps < 1 || laps > MostLaps) {
            error = "--laps needs a whole number from 1 to 1000";
            return false;
        }
        options.laps = laps;
    } else if (option == "--driver" && testDrive) {
        if (!IsModuleName(value)) {
            error = "--driver needs the name of a TORCS robot, such as berniw";
            return false;
        }
        options.driver = std::string(value);
    } else {
        error = std::string(option) + " is not an option of this command";
        return false;
    }
    return true;
}

} // namespace

std::optional<TestDrive::Options> ParseTorcsOptions(bool testDrive, int count, char** arguments,
                                                    std::string& error) {
    TestDrive::Options options;
    const bool taken = ForEachOptionPair(
        count, arguments, error, [&](std::string_view option, std::string_view value) {
            return TakeOption(testDrive, option, value, options, error);
        });
    return taken ? std::optional<TestDrive::Options>(options) : std::nullopt;
}
