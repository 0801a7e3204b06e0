#pragma once

#include "cli/RenderOptions.h"

#include <string>

// Draws one view of the loaded course exactly as its window would, on a surface of the
// options' size with a freshly reset camera, and writes it as a .bmp (the surface's own
// 16-bit pixels) or a .png. 0 on success, 1 when the file cannot be written, with why in
// `failure`.
int RenderView(const RenderOptions& options, const std::string& out, std::string& failure);

// Whether the file name ends in an image type the command writes.
bool IsRenderTarget(const std::string& out);
