#pragma once

#include "platform/Surface.h"

// The colours the views draw in, as 16-bit surface pixels.
namespace ViewPalette {

constexpr platform::Colour15 Grid = platform::Rgb15(96, 96, 96);      // also the horizon
constexpr platform::Colour15 PlainRoad = platform::Rgb15(72, 72, 72); // road without a texture

} // namespace ViewPalette
