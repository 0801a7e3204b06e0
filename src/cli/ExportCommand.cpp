#include "cli/ExportCommand.h"

#include "cli/BundledTexture.h"
#include "cli/TextNumber.h"
#include "exchange/GltfExport.h"
#include "exchange/ObjExport.h"
#include "model/CobExport.h"
#include "model/SampledCourseExport.h"

namespace ExportCommand {

namespace {

// The exchange formats' factor from course units to metres: the .cob export's.
constexpr double DefaultScale = 0.01;

bool IsTextured(Format format) {
    return format == Format::Glb || format == Format::Gltf || format == Format::Obj;
}

int WriteFailed(const std::string& out, const std::string& why, std::string& failure) {
    failure = out + ": cannot write" + (why.empty() ? "" : " (" + why + ")");
    return 1;
}

} // namespace

std::optional<Format> FormatOf(std::string_view out) {
    const size_t dot = out.rfind('.');
    const std::string_view extension = dot == std::string_view::npos ? "" : out.substr(dot);
    if (extension == ".glb") {
        return Format::Glb;
    }
    if (extension == ".gltf") {
        return Format::Gltf;
    }
    if (extension == ".obj") {
        return Format::Obj;
    }
    if (extension == ".json") {
        return Format::Json;
    }
    if (extension == ".cob") {
        return Format::Cob;
    }
    return std::nullopt;
}

std::optional<Options> ParseOptions(Format format, int count, char** arguments,
                                    std::string& error) {
    Options options;
    for (int i = 0; i < count; i += 2) {
        const std::string_view option = arguments[i];
        if (i + 1 >= count) {
            error = "missing value or unknown option: " + std::string(option);
            return std::nullopt;
        }
        const std::string_view value = arguments[i + 1];
        double scale = 0.0;
        if (option == "--scale" && format != Format::Cob) {
            if (!ParseNumber(value, scale) || scale <= 0.0) {
                error = "--scale needs a number above 0";
                return std::nullopt;
            }
            options.scale = scale;
        } else if (option == "--texture" && IsTextured(format) && !value.empty()) {
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

int Write(Format format, const std::string& out, const std::string& name, const Options& options,
          std::string& failure) {
    std::string why;
    const double scale = options.scale.value_or(DefaultScale);
    switch (format) {
    case Format::Cob:
        return ExportCob(out.c_str(), &why) == 0 ? 0 : WriteFailed(out, why, failure);
    case Format::Json:
        return SampledCourseExport::Write(out.c_str(), scale, why) == 0
                   ? 0
                   : WriteFailed(out, why, failure);
    case Format::Obj:
        return ObjExport::Write(out, scale, options.texture.value_or(BundledTexture()), name,
                                failure);
    case Format::Glb:
    case Format::Gltf:
        break;
    }
    const GltfExport::Options gltf{scale, options.texture.value_or(BundledTexture()), name};
    return GltfExport::Write(
        out, format == Format::Glb ? GltfExport::Container::Binary : GltfExport::Container::Text,
        gltf, failure);
}

} // namespace ExportCommand
