#pragma once

#include "base/VectorMath.h"

#include <cstdint>

class PerspecCamera;

// The driver's-eye view of the course. The eye sits 10 units above the road at the course's
// camera position, looks along the course and banks with its roll, so the road shows level
// and the horizon, drawn first in grey, tilts with the bank; the road ahead is cut into up
// to 20 cross-sections whose quadrilaterals are drawn farthest first (no depth buffer) as
// white outlines or filled with the texture "Texture.bmp".
namespace PerspecDisp {

constexpr int MaxSections = 20;
// Draw modes, as the perspective window's buttons choose them.
enum Mode : int { Wireframe = 0, Textured = 1 };

// Registers the road texture with the picture bank (between its initialisation and its
// decision) and keeps the identifier, which it returns. A texture that cannot be used only
// writes its report: the textured mode then fills the road in a plain grey.
int RegisterTexture(const char* path = "Texture.bmp");
// Forgets the identifier, for when the picture bank is released.
void ReleaseTexture();

// Clears the camera's surface and draws the horizon and the road from the course's camera
// position; without one the view stays cleared. The drawing objects of the views must exist.
void Render(PerspecCamera& camera, int mode);
// The same from a given place on the course (a segment and t in 0..1); a segment below 0
// stands for no place, and the view is only cleared.
void Render(PerspecCamera& camera, int mode, int32_t segment, double t);

// Orients the camera along the course at the place and lifts the eye above the road, then
// brings its rotation up to date. False, leaving the camera as it was, where the course
// tangent has no length and so no direction.
bool UpdateCamera(PerspecCamera& camera, int32_t segment, double t);

// One cross-section of the road: its two edge points.
struct Section {
    Vec3d edge1;
    Vec3d edge2;
};

// Cuts the road ahead of the place into cross-sections, nearest first: from the sample at
// or just before the place, every sample to the end of the course (an open course) or
// round and round (a loop), at most MaxSections places. A place whose tangent has no
// length is left out. Returns how many sections were written.
int CutSections(int32_t segment, double t, Section (&sections)[MaxSections]);

// The road's rolled side, up and forward directions as the columns of a frame; false for a
// tangent of no length.
bool MakeSectionFrame(const Vec3d& tangent, double roll, Mat3d& frame);
// The road's two edges: point + width1 along the rolled side, point - width2 along it.
bool MakeSectionEdges(const Vec3d& point, const Vec3d& tangent, double width1, double width2,
                      double roll, Vec3d& edge1, Vec3d& edge2);

} // namespace PerspecDisp
