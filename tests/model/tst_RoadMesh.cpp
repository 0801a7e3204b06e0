#include "model/RoadMesh.h"
#include "support/CourseTest.h"

namespace {

using RoadMeshTest = CourseTest;

double Dot(const Vec3d& a, const Vec3d& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3d Minus(const Vec3d& a, const Vec3d& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

// Two points along x, widths 20, 10 samples: 12 rows. Side A lies at the course's −z,
// which the exchange axes turn into +z.
TEST_F(RoadMeshTest, RowsBecomeVertexPairsAndQuadsTwoTriangles) {
    EXPECT_TRUE(RoadMesh::Build(0.01).vertices.empty());
    CourseData::AddPoint(0, 0, 0);
    EXPECT_EQ(RoadMesh::Build(0.01).vertices.size(), 2U);
    EXPECT_TRUE(RoadMesh::Build(0.01).indices.empty());
    CourseData::AddPoint(100, 0, 0);
    const RoadMesh::Mesh mesh = RoadMesh::Build(0.01);
    ASSERT_EQ(mesh.vertices.size(), 24U);
    ASSERT_EQ(mesh.indices.size(), 66U);
    const RoadMesh::Vertex& a = mesh.vertices[0];
    const RoadMesh::Vertex& b = mesh.vertices[1];
    EXPECT_NEAR(a.position.z, 0.2, 1e-15);
    EXPECT_NEAR(b.position.z, -0.2, 1e-15);
    EXPECT_NEAR(mesh.vertices[23].position.x, 1.0, 1e-15);
    EXPECT_EQ(a.normal.y, 1.0);
    EXPECT_EQ(a.u, 0.0);
    EXPECT_EQ(b.u, 1.0);
    EXPECT_EQ(mesh.vertices[23].v, 11.0);
    EXPECT_EQ(std::vector<uint32_t>(mesh.indices.begin(), mesh.indices.begin() + 6),
              (std::vector<uint32_t>{0, 3, 1, 0, 2, 3}));
}

// On a banked, climbing, winding loop every triangle turns its front the way the
// normals of its corners point, and each normal stands square to its row.
TEST_F(RoadMeshTest, TrianglesFaceTheirNormalsAndNormalsStandAcrossTheirRows) {
    AddRing(12, 3);
    CourseData::SetLoop(1);
    const RoadMesh::Mesh mesh = RoadMesh::Build(0.5);
    for (size_t i = 0; i < mesh.indices.size(); i += 3) {
        const RoadMesh::Vertex& p = mesh.vertices[mesh.indices[i]];
        const RoadMesh::Vertex& q = mesh.vertices[mesh.indices[i + 1]];
        const RoadMesh::Vertex& r = mesh.vertices[mesh.indices[i + 2]];
        const Vec3d e1 = Minus(q.position, p.position);
        const Vec3d e2 = Minus(r.position, p.position);
        const Vec3d face{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z,
                         e1.x * e2.y - e1.y * e2.x};
        EXPECT_GT(Dot(face, p.normal), 0.0) << i;
    }
    for (size_t i = 0; i < mesh.vertices.size(); i += 2) {
        const Vec3d across = Minus(mesh.vertices[i].position, mesh.vertices[i + 1].position);
        EXPECT_NEAR(Dot(across, mesh.vertices[i].normal), 0.0, 1e-9) << i;
        EXPECT_NEAR(Dot(mesh.vertices[i].normal, mesh.vertices[i].normal), 1.0, 1e-12);
    }
}

} // namespace
