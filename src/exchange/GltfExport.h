#pragma once

#include <string>

// The road as glTF 2.0 for engines and modelling tools: the road mesh (positions, normals,
// texture coordinates, indexed triangles), one material whose base colour is the road
// texture repeating along the road, and one node and mesh named after the course, whose
// extras hold the course's points, loop flag and width scale.
namespace GltfExport {

enum class Container {
    Binary, // .glb: one file, the texture embedded as PNG
    Text,   // OUT.gltf: JSON, with OUT.bin and OUT.png beside it by relative URI
};

struct Options {
    double scale;        // course units to metres
    std::string texture; // a bitmap file of 8 or 24 bits
    std::string name;    // of the node and the mesh
};

// 0 when every file was written; 1 when the texture could not be read or a file written,
// with why in `failure` (naming the file). Each file is replaced whole or not at all; the
// .gltf itself comes last, so it never names files that were not written.
int Write(const std::string& path, Container container, const Options& options,
          std::string& failure);

} // namespace GltfExport
