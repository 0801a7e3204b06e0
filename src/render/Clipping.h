#pragma once

#include "base/VectorMath.h"

// Sutherland-Hodgman clipping of a convex polygon against axis-parallel planes, one plane
// per pass. A polygon is two parallel arrays, positions and texture coordinates, whose last
// vertex joins the first. Both entry points work in place and return the new count; the
// caller's arrays must hold `capacity` entries. Misuse is reported with tag "Clipping4",
// which ends the program.
namespace Clipping {

// Most vertices any pass produces (the working buffer's size).
constexpr int BufferSize = 20;

// Camera space: keeps the part with nearZ <= z <= farZ (near pass, then far pass).
int ClipDepth(Vec3* positions, Vec2* uvs, int count, int capacity, float nearZ, float farZ);

// Screen space: keeps the part with 0 <= x <= width - 1 and 0 <= y <= height - 1 (left,
// right, top, bottom). Depth and texture coordinates are interpolated perspective-correctly.
int ClipScreen(Vec3* positions, Vec2* uvs, int count, int capacity, int width, int height);

// The intersection of the edge a-b with a plane. The endpoints are first put in a fixed
// order, so an edge shared by two polygons is cut bit-identically whichever way it runs.
// An edge parallel to the plane is reported.
void IntersectX(const Vec3& a, const Vec2& uvA, const Vec3& b, const Vec2& uvB, float x, Vec3& p,
                Vec2& uv);
void IntersectY(const Vec3& a, const Vec2& uvA, const Vec3& b, const Vec2& uvB, float y, Vec3& p,
                Vec2& uv);
void IntersectZ(const Vec3& a, const Vec2& uvA, const Vec3& b, const Vec2& uvB, float z, Vec3& p,
                Vec2& uv);

} // namespace Clipping
