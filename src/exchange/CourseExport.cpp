#include "exchange/CourseExport.h"

#include "exchange/GltfExport.h"
#include "exchange/ObjExport.h"
#include "model/CobExport.h"
#include "model/CourseSurface.h"
#include "model/SampledCourseExport.h"

namespace CourseExport {

namespace {

int WriteFailed(const std::string& path, const std::string& why, std::string& failure) {
    failure = path + ": cannot write" + (why.empty() ? "" : " (" + why + ")");
    return 1;
}

} // namespace

std::optional<Format> FormatOf(std::string_view path) {
    const size_t dot = path.rfind('.');
    const std::string_view extension = dot == std::string_view::npos ? "" : path.substr(dot);
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

bool IsTextured(Format format) {
    return format == Format::Glb || format == Format::Gltf || format == Format::Obj;
}

bool HasRoad() {
    return GetCourseRowNum() >= 2;
}

int Write(Format format, const std::string& path, double scale, const std::string& texture,
          const std::string& name, std::string& failure) {
    std::string why;
    switch (format) {
    case Format::Cob:
        return ExportCob(path.c_str(), &why) == 0 ? 0 : WriteFailed(path, why, failure);
    case Format::Json:
        return SampledCourseExport::Write(path.c_str(), scale, why) == 0
                   ? 0
                   : WriteFailed(path, why, failure);
    case Format::Obj:
        return ObjExport::Write(path, scale, texture, name, failure);
    case Format::Glb:
    case Format::Gltf:
        break;
    }
    return GltfExport::Write(
        path, format == Format::Glb ? GltfExport::Container::Binary : GltfExport::Container::Text,
        {scale, texture, name}, failure);
}

} // namespace CourseExport
