#pragma once

#include "base/VectorMath.h"

#include <optional>
#include <string>

// The options of `velmora-cli render`: which view, on how large a surface, looked at from
// where.
struct RenderOptions {
    enum class View { Top, Side, Front, ExpandTop, ExpandSide, SplinePoint, Perspective };
    // A place on the course: a segment and t in 0..1.
    struct Place {
        int segment;
        double t;
    };

    View view = View::Top;
    int width = 640;
    int height = 480;
    std::optional<double> zoom;
    Vec3d centre{0, 0, 0};
    bool showCamera = false;
    // The top view: the course check's warnings ringed, and the curvature comb; the
    // expanded top view: its edge folds ringed.
    bool warnings = false;
    bool comb = false;
    // The spline-point view: the handle's end gripped instead of the roll point.
    bool gripHandle = false;
    // The perspective view: textured or wireframe, the texture file (empty: the bundled
    // one), and where the eye is (none: the course's own camera position).
    bool textured = false;
    std::string texture;
    std::optional<Place> camera;
};

// Reads the options after COURSE and OUT; on a mistake, error says what is wrong.
std::optional<RenderOptions> ParseRenderOptions(int count, char** arguments, std::string& error);
