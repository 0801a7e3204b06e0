#include "exchange/ObjExport.h"

#include "base/NumberText.h"
#include "exchange/ExchangeFiles.h"
#include "model/RoadMesh.h"

namespace ObjExport {

namespace {

std::string Triple(const char* tag, const Vec3d& v) {
    return std::string(tag) + " " + ShortestText(v.x) + " " + ShortestText(v.y) + " " +
           ShortestText(v.z) + "\n";
}

// OBJ counts texture rows from the picture's bottom, glTF and the driver's-eye view from
// its top: 1 − v lays the texture the same way.
std::string TextureVertex(const RoadMesh::Vertex& v) {
    return "vt " + ShortestText(v.u) + " " + ShortestText(1.0 - v.v) + "\n";
}

// One-based, the same index for position, texture vertex and normal.
std::string Corner(size_t index) {
    const std::string i = std::to_string(index + 1);
    return " " + i + "/" + i + "/" + i;
}

std::string ObjText(const RoadMesh::Mesh& mesh, const std::string& name,
                    const std::string& materials) {
    std::string text =
        "# " + name + ", a road exported by Velmora\nmtllib " + materials + "\no " + name + "\n";
    for (const RoadMesh::Vertex& v : mesh.vertices) {
        text += Triple("v", v.position);
    }
    for (const RoadMesh::Vertex& v : mesh.vertices) {
        text += TextureVertex(v);
    }
    for (const RoadMesh::Vertex& v : mesh.vertices) {
        text += Triple("vn", v.normal);
    }
    text += "usemtl road\n";
    // Rows j and j + 1: edge A of j, of j + 1, edge B of j + 1, of j, counter-clockwise
    // seen from above as the triangles of the mesh.
    for (size_t a = 0; a + 3 < mesh.vertices.size(); a += 2) {
        text += "f" + Corner(a) + Corner(a + 2) + Corner(a + 3) + Corner(a + 1) + "\n";
    }
    return text;
}

std::string MtlText(const std::string& png) {
    return "newmtl road\nKa 1 1 1\nKd 1 1 1\nKs 0 0 0\nillum 1\nmap_Kd " + png + "\n";
}

} // namespace

int Write(const std::string& path, double scale, const std::string& texture,
          const std::string& name, std::string& failure) {
    const RoadMesh::Mesh road = RoadMesh::Build(scale);
    if (!ExchangeFiles::FitsSinglePrecision(road, path, failure)) {
        return 1;
    }
    const ExchangeFiles::Bytes png = ExchangeFiles::TexturePng(texture, failure);
    if (png.empty()) {
        return 1;
    }
    const ExchangeFiles::Beside beside(path);
    const std::string mtl = MtlText(beside.Name(".png"));
    const std::string obj = ObjText(road, name, beside.Name(".mtl"));
    const bool written =
        ExchangeFiles::WriteFile(beside.Path(".png"), png.data(), png.size(), failure) &&
        ExchangeFiles::WriteFile(beside.Path(".mtl"), mtl.data(), mtl.size(), failure) &&
        ExchangeFiles::WriteFile(path, obj.data(), obj.size(), failure);
    return written ? 0 : 1;
}

} // namespace ObjExport
