#pragma once

#include "base/VectorMath.h"

#include <optional>
#include <string>

// The options of `velmora-cli render`: which view, on how large a surface, looked at from
// where.
struct RenderOptions {
    enum class View { Top, Side, Front, ExpandTop, ExpandSide, SplinePoint };

    View view = View::Top;
    int width = 640;
    int height = 480;
    std::optional<double> zoom;
    Vec3d centre{0, 0, 0};
    bool showCamera = false;
};

// Reads the options after COURSE and OUT; on a mistake, error says what is wrong.
std::optional<RenderOptions> ParseRenderOptions(int count, char** arguments, std::string& error);
