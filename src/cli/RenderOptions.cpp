#include "cli/RenderOptions.h"

#include "base/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace {

// Large enough for any screen, small enough that a surface always fits in memory.
constexpr int LargestSide = 8192;

struct NamedView {
    std::string_view name;
    RenderOptions::View view;
};

constexpr NamedView Views[] = {
    {"top", RenderOptions::View::Top},
    {"side", RenderOptions::View::Side},
    {"front", RenderOptions::View::Front},
    {"expand-top", RenderOptions::View::ExpandTop},
    {"expand-side", RenderOptions::View::ExpandSide},
    {"spline-point", RenderOptions::View::SplinePoint},
    {"perspective", RenderOptions::View::Perspective},
};

bool ParseSize(std::string_view text, int& width, int& height) {
    const std::size_t cross = text.find('x');
    return cross != std::string_view::npos && ParseWhole(text.substr(0, cross), width) &&
           ParseWhole(text.substr(cross + 1), height) && width >= 1 && height >= 1 &&
           width <= LargestSide && height <= LargestSide;
}

bool ParseCentre(std::string_view text, Vec3d& centre) {
    const std::size_t first = text.find(',');
    const std::size_t second = first == std::string_view::npos ? first : text.find(',', first + 1);
    return second != std::string_view::npos && ParseNumber(text.substr(0, first), centre.x) &&
           ParseNumber(text.substr(first + 1, second - first - 1), centre.y) &&
           ParseNumber(text.substr(second + 1), centre.z);
}

bool ParsePlace(std::string_view text, std::optional<RenderOptions::Place>& place) {
    const std::size_t comma = text.find(',');
    RenderOptions::Place p{};
    if (comma == std::string_view::npos || !ParseWhole(text.substr(0, comma), p.segment) ||
        !ParseNumber(text.substr(comma + 1), p.t) || p.segment < 0 || p.t < 0.0 || p.t > 1.0) {
        return false;
    }
    place = p;
    return true;
}

bool ParseMode(std::string_view text, bool& textured) {
    textured = text == "texture";
    return textured || text == "wire";
}

bool ParseView(std::string_view text, RenderOptions::View& view) {
    for (const NamedView& named : Views) {
        if (named.name == text) {
            view = named.view;
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<RenderOptions> ParseRenderOptions(int count, char** arguments, std::string& error) {
    RenderOptions options;
    bool viewGiven = false;
    bool perspectiveOption = false;
    for (int i = 0; i < count; ++i) {
        const std::string_view option = arguments[i];
        if (option == "--show-camera") {
            options.showCamera = true;
            continue;
        }
        if (option == "--grip-handle") {
            options.gripHandle = true;
            continue;
        }
        if (option == "--warnings" || option == "--comb") {
            (option == "--comb" ? options.comb : options.warnings) = true;
            continue;
        }
        if (i + 1 >= count) {
            error = "missing value or unknown option: " + std::string(option);
            return std::nullopt;
        }
        const std::string_view value = arguments[++i];
        bool valid = false;
        perspectiveOption |= option == "--mode" || option == "--texture" || option == "--camera";
        if (option == "--view") {
            valid = ParseView(value, options.view);
            viewGiven = valid;
        } else if (option == "--size") {
            valid = ParseSize(value, options.width, options.height);
        } else if (option == "--zoom") {
            double zoom = 0;
            valid = ParseNumber(value, zoom) && zoom > 0;
            options.zoom = zoom;
        } else if (option == "--center") {
            valid = ParseCentre(value, options.centre);
        } else if (option == "--mode") {
            valid = ParseMode(value, options.textured);
        } else if (option == "--texture") {
            options.texture = value;
            valid = !value.empty();
        } else if (option == "--camera") {
            valid = ParsePlace(value, options.camera);
        } else {
            error = "unknown option: " + std::string(option);
            return std::nullopt;
        }
        if (!valid) {
            error = "invalid value for " + std::string(option) + ": " + std::string(value);
            return std::nullopt;
        }
    }
    if (!viewGiven) {
        error = "--view is required (top, side, front, expand-top, expand-side, spline-point, "
                "perspective)";
        return std::nullopt;
    }
    if (perspectiveOption && options.view != RenderOptions::View::Perspective) {
        error = "--mode, --texture and --camera belong to --view perspective";
        return std::nullopt;
    }
    if ((options.comb && options.view != RenderOptions::View::Top) ||
        (options.warnings && options.view != RenderOptions::View::Top &&
         options.view != RenderOptions::View::ExpandTop)) {
        error = "--warnings belongs to --view top or expand-top, --comb to --view top";
        return std::nullopt;
    }
    return options;
}
