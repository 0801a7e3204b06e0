#pragma once

#include "base/VectorMath.h"
#include "render/TextureSpan.h"

#include <cstdint>

namespace platform {
class Surface;
}

// Fills convex screen-space polygons with a texture, perspective-correct, into a 16-bit
// surface. A scan-line rasteriser: each edge is walked line by line into a left and a right
// edge table, then each line is filled between them. 1 / depth comes from a 4097-entry
// table with linear interpolation, so no pixel needs a division. No depth buffer: later
// polygons overwrite earlier ones. One engine per process: the application calls Initialize
// at start-up and Release at exit. Misuse is reported with tag "PerspecTextureEngine1",
// which ends the program.
namespace PerspecTextureEngine {

// Entries of the reciprocal table: indexes 0 .. 4096 for depths 0 .. 1 in steps of 1/4096.
constexpr int SegmentCount = 4097;

void Initialize();
void Release();

// Edge tables for a surface of this height, reallocated only when the height changes;
// resets the lines the current polygon touched.
void PrepareTables(int height);

// Fills one polygon. Vertices are in screen space: x and y in pixels, z the depth divided
// by the far distance (0 < z <= 1); texture coordinates lie in [0, 1]. The camera clips
// polygons to the surface first; a polygon with a vertex off the surface, at a depth out
// of that range or not finite draws nothing. `fill` writes the pixels of all the polygon's
// lines (tests pass the plain per-pixel loop here).
void DrawPolygon(platform::Surface& surface, const Vec3* vertices, const Vec2* uvs, int count,
                 const TextureView& texture, TextureSpan::FillFunction fill = TextureSpan::Fill);

// The reciprocal table, read-only; valid between Initialize and Release.
const TextureSpan::Segment* Segments();

} // namespace PerspecTextureEngine
