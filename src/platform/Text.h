#pragma once

#include "platform/DrawContext.h"

#include <memory>
#include <string_view>

// Fonts and text drawn into a surface, for the help popup.
namespace platform {

struct FontImpl;
class Font {
public:
    // Pixel height and face; faces the system lacks are substituted (see StartApplication).
    Font(int pixelHeight, const char* face);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    int Height() const;
    int ExternalLeading() const;
    int TextWidth(std::string_view text) const;
    // Transparent background: only the glyphs' pixels change.
    void DrawText(DrawContext& context, int x, int y, std::string_view text, Colour15 colour) const;

private:
    std::unique_ptr<FontImpl> impl;
};

} // namespace platform
