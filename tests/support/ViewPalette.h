#pragma once

#include "platform/Surface.h"

// The colours the views draw in, as 16-bit surface pixels.
namespace ViewPalette {

using platform::Colour15;
using platform::Rgb15;

constexpr Colour15 Background = Rgb15(144, 144, 144);
constexpr Colour15 Grid = Rgb15(96, 96, 96); // also the driver's-eye view's horizon
constexpr Colour15 White = Rgb15(255, 255, 255);
constexpr Colour15 PlainRoad = Rgb15(72, 72, 72); // the road without a usable texture

} // namespace ViewPalette
