#pragma once

#include "exchange/CourseExport.h"

#include <optional>
#include <string>

// The options of `velmora-cli export`, after COURSE and OUT.
struct ExportOptions {
    std::optional<double> scale;        // course units to metres; not for .cob
    std::optional<std::string> texture; // the road texture; .glb, .gltf and .obj only
};

// None, with `error` set, for an unknown option, a missing or bad value, or one that does
// not apply to the format.
std::optional<ExportOptions> ParseExportOptions(CourseExport::Format format, int count,
                                                char** arguments, std::string& error);
