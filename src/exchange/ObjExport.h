#pragma once

#include <string>

// The road as a Wavefront OBJ for modelling tools: OUT.obj with the road mesh's vertices,
// texture coordinates and normals and its faces as quadrilaterals, OUT.mtl with one
// material, and the texture as OUT.png beside them.
namespace ObjExport {

// 0 when every file was written; 1 when the texture could not be read or a file written,
// with why in `failure` (naming the file). Each file is replaced whole or not at all; the
// .obj itself comes last.
int Write(const std::string& path, double scale, const std::string& texture,
          const std::string& name, std::string& failure);

} // namespace ObjExport
