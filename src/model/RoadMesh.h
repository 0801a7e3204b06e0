#pragma once

#include "base/VectorMath.h"

#include <cstdint>
#include <vector>

// The road as an indexed triangle mesh for today's engines and modelling tools: the .cob
// export's course rows, two vertices a row (first edge, then second), with two triangles
// a quadrilateral between consecutive rows, counter-clockwise seen from above. Positions
// and normals are in the exchange formats' axes: the course's (x, y, z) scaled by the
// given factor becomes (x, y, −z), right-handed with y up, so that a view from above shows
// the course as the top view does.
namespace RoadMesh {

struct Vertex {
    Vec3d position;
    Vec3d normal; // the road's rolled up direction at the row
    // Across the road from the first edge (0) to the second (1), and along it one unit a
    // row, as the driver's-eye view lays the texture.
    double u;
    double v;
};

struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<uint32_t> indices; // three a triangle
};

// A course position in the exchange axes: (x, y, z) times `scale` as (x, y, −z).
Vec3d Exchanged(const Vec3d& v, double scale);

// The current course's mesh; empty without points, without indices below two rows.
Mesh Build(double scale);

} // namespace RoadMesh
