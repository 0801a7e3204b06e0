#pragma once

#include <optional>
#include <string>
#include <string_view>

// `velmora-cli export`: the loaded course in the format the output's extension names.
namespace ExportCommand {

enum class Format { Glb, Gltf, Obj, Json, Cob };

struct Options {
    std::optional<double> scale;        // course units to metres; not for .cob
    std::optional<std::string> texture; // the road texture; .glb, .gltf and .obj only
};

std::optional<Format> FormatOf(std::string_view out);
// The options after OUT; none, with `error` set, for an unknown one, a missing or bad
// value, or one that does not apply to the format.
std::optional<Options> ParseOptions(Format format, int count, char** arguments, std::string& error);
// 0 when the course was written; 1 with `failure` naming the file and what went wrong.
// `name` names the glTF node and mesh.
int Write(Format format, const std::string& out, const std::string& name, const Options& options,
          std::string& failure);

} // namespace ExportCommand
