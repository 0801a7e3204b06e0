#include "cli/ExportCommand.h"

#include "base/NumberText.h"

#include <string_view>

std::optional<ExportOptions> ParseExportOptions(CourseExport::Format format, int count,
                                                char** arguments, std::string& error) {
    ExportOptions options;
    for (int i = 0; i < count; i += 2) {
        const std::string_view option = arguments[i];
        if (i + 1 >= count) {
            error = "missing value or unknown option: " + std::string(option);
            return std::nullopt;
        }
        const std::string_view value = arguments[i + 1];
        double scale = 0.0;
        if (option == "--scale" && format != CourseExport::Format::Cob) {
            if (!ParseNumber(value, scale) || scale <= 0.0) {
                error = "--scale needs a number above 0";
                return std::nullopt;
            }
            options.scale = scale;
        } else if (option == "--texture" && CourseExport::IsTextured(format) && !value.empty()) {
            options.texture = std::string(value);
        } else {
            error = std::string(option) +
                    " is not an option of this export (--scale: all but .cob, whose scale is "
                    "0.01; --texture FILE.bmp: .glb, .gltf and .obj)";
            return std::nullopt;
        }
    }
    return options;
}
