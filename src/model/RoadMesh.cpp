#include "model/RoadMesh.h"

#include "model/CourseSurface.h"

namespace RoadMesh {

namespace {

// Rows j and j + 1 hold vertices 2j, 2j + 1 and 2j + 2, 2j + 3.
void AddQuad(uint32_t row, std::vector<uint32_t>& indices) {
    const uint32_t a0 = 2 * row;
    const uint32_t b0 = a0 + 1;
    const uint32_t a1 = a0 + 2;
    const uint32_t b1 = a0 + 3;
    indices.insert(indices.end(), {a0, b1, b0, a0, a1, b1});
}

} // namespace

// 0 − z keeps a zero from turning into −0.
Vec3d Exchanged(const Vec3d& v, double scale) {
    return {v.x * scale, v.y * scale, 0.0 - v.z * scale};
}

Mesh Build(double scale) {
    Mesh mesh;
    const auto rows = static_cast<size_t>(GetCourseRowNum());
    mesh.vertices.reserve(2 * rows);
    mesh.indices.reserve(rows > 0 ? 6 * (rows - 1) : 0);
    uint32_t row = 0;
    ForEachCourseRow([&](const CourseSection& section) {
        Vec3d edgeA{};
        Vec3d edgeB{};
        CalcSectionEdge(section, edgeA, edgeB);
        const Vec3d normal = Exchanged(CalcSectionNormal(section), 1.0);
        const double v = row;
        mesh.vertices.push_back({Exchanged(edgeA, scale), normal, 0.0, v});
        mesh.vertices.push_back({Exchanged(edgeB, scale), normal, 1.0, v});
        if (row > 0) {
            AddQuad(row - 1, mesh.indices);
        }
        ++row;
    });
    return mesh;
}

} // namespace RoadMesh
