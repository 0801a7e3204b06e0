#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

// The designer's pictures other than the button strips.
namespace PictureArt {

// Markers stamped on the course views: 48 x 24, a mask on the left (white where the
// picture is) and the picture on a white ground on the right. The views stamp a marker
// with its top-left corner on the marked place, the camera with its bottom-left corner.
QImage MakeSelectMarker();
QImage MakeHandMarker();
QImage MakeCameraMarker();

// The program's 48 x 48 icon: a road curving through grass.
QImage MakeMainIcon();

// The perspective view's 256 x 256 road texture: u across the road, v along it, so that
// the picture tiles seamlessly along the course.
QImage MakeRoadTexture();

// The tool panel's click: a short, soft tick, 16-bit mono samples.
constexpr uint32_t ClickSampleRate = 22050;
std::vector<int16_t> MakeClickSound();

} // namespace PictureArt
