#pragma once

#include <optional>
#include <string>
#include <string_view>

// The course in any of the formats it is exported to, chosen by the file's extension: the
// one entry for the command-line tool and the designer.
namespace CourseExport {

enum class Format { Glb, Gltf, Obj, Json, Cob };

// The exchange formats' factor from course units to metres: the .cob export's.
constexpr double DefaultScale = 0.01;

// .glb, .gltf, .obj, .json or .cob; none for any other extension.
std::optional<Format> FormatOf(std::string_view path);
// Whether the format carries the road texture.
bool IsTextured(Format format);
// Whether the course has a road to export: at least two rows.
bool HasRoad();

// Writes the current course; `scale` does not apply to .cob, `texture` only to the
// textured formats, `name` names the glTF node and mesh and the OBJ object. 0 when it
// was written; 1 with `failure` naming the file and what went wrong.
int Write(Format format, const std::string& path, double scale, const std::string& texture,
          const std::string& name, std::string& failure);

} // namespace CourseExport
