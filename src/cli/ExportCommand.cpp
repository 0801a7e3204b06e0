#include "cli/ExportCommand.h"

#include "base/NumberText.h"
#include "cli/OptionPairs.h"

#include <string_view>

namespace {

// Takes one option's value into `options`; false, with `error` set, for a bad value or an
// option that does not apply to the format.
bool TakeOption(CourseExport::Format format, std::string_view option, std::string_view value,
                ExportOptions& options, std::string& error) {
    double scale = 0.0;
    if (option == "--scale" && format != CourseExport::Format::Cob) {
        if (!ParseNumber(value, scale) || scale <= 0.0) {
            error = "--scale needs a number above 0";
            return false;
        }
        options.scale = scale;
    } else if (option == "--texture" && CourseExport::IsTextured(format) && !value.empty()) {
        options.texture = std::string(value);
    } else {
        error = std::string(option) +
                " is not an option of this export (--scale: all but .cob, whose scale is "
                "0.01; --texture FILE.bmp: .glb, .gltf and .obj)";
        return false;
    }
    return true;
}

} // namespace

std::optional<ExportOptions> ParseExportOptions(CourseExport::Format format, int count,
                                                char** arguments, std::string& error) {
    ExportOptions options;
    const bool taken = ForEachOptionPair(
        count, arguments, error, [&](std::string_view option, std::string_view value) {
            return TakeOption(format, option, value, options, error);
        });
    return taken ? std::optional<ExportOptions>(options) : std::nullopt;
}
