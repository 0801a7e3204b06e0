#pragma once

#include "platform/Surface.h"

#include <string>

// A drawn surface as an image file. Both return 0 on success and 1 when the file cannot
// be written, and then put why into `failure`; a failed write leaves any previous file as
// it was.
namespace SurfaceImage {

// A 16-bit bitmap file holding the surface's own pixels: bottom-up 5-5-5 rows padded to
// four bytes, exactly as they lie in memory.
int WriteBmp16(const platform::Surface& surface, const std::string& path, std::string& failure);

// A PNG with 8-bit channels expanded as the designer presents its surfaces.
int WritePng(const platform::Surface& surface, const std::string& path, std::string& failure);

} // namespace SurfaceImage
