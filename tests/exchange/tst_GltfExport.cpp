#include "exchange/GltfExport.h"
#include "model/RoadMesh.h"
#include "render/BMPFile.h"
#include "support/CourseTest.h"

#include <filesystem>
#include <tiny_gltf.h>

namespace {

using GltfExportTest = CourseTest;

const std::string Texture = VELMORA_SOURCE_DIR "/resources/Texture.bmp";

tinygltf::Model Read(const std::string& path, bool binary) {
    tinygltf::TinyGLTF reader;
    tinygltf::Model model;
    std::string error;
    std::string warning;
    const bool read = binary ? reader.LoadBinaryFromFile(&model, &error, &warning, path)
                             : reader.LoadASCIIFromFile(&model, &error, &warning, path);
    EXPECT_TRUE(read) << error;
    return model;
}

// Both containers hold the road mesh as its builder makes it, the texture at its own size
// and the course in the node's extras.
TEST_F(GltfExportTest, BothContainersHoldTheMeshTheTextureAndTheCourse) {
    AddRing(5, 4);
    CourseData::SetLoop(1);
    const RoadMesh::Mesh mesh = RoadMesh::Build(0.02);
    double lowestX = 1e300;
    double highestZ = -1e300;
    for (const RoadMesh::Vertex& v : mesh.vertices) {
        lowestX = std::min(lowestX, static_cast<double>(static_cast<float>(v.position.x)));
        highestZ = std::max(highestZ, static_cast<double>(static_cast<float>(v.position.z)));
    }
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t size = 0;
    ASSERT_NE(BMPFile::Load(Texture.c_str(), width, height, size, 24), nullptr);
    for (const bool binary : {true, false}) {
        const std::string path = binary ? "road.glb" : "road.gltf";
        std::string failure;
        ASSERT_EQ(GltfExport::Write(
                      path, binary ? GltfExport::Container::Binary : GltfExport::Container::Text,
                      {0.02, Texture, "ring"}, failure),
                  0)
            << failure;
        const tinygltf::Model model = Read(path, binary);
        ASSERT_EQ(model.meshes.size(), 1U);
        const tinygltf::Primitive& primitive = model.meshes[0].primitives.at(0);
        const tinygltf::Accessor& positions =
            model.accessors.at(primitive.attributes.at("POSITION"));
        EXPECT_EQ(positions.count, mesh.vertices.size());
        EXPECT_EQ(model.accessors.at(primitive.indices).count, mesh.indices.size());
        EXPECT_EQ(positions.minValues.at(0), lowestX);
        EXPECT_EQ(positions.maxValues.at(2), highestZ);
        EXPECT_EQ(model.nodes.at(0).name, "ring");
        EXPECT_TRUE(model.nodes.at(0).extras.Get("loop").Get<bool>());
        EXPECT_EQ(model.nodes.at(0).extras.Get("points").ArrayLen(), 5U);
        EXPECT_EQ(model.images.at(0).width, width);
        EXPECT_EQ(model.images.at(0).height, height);
        EXPECT_EQ(model.samplers.at(0).wrapT, TINYGLTF_TEXTURE_WRAP_REPEAT);
    }
    EXPECT_TRUE(std::filesystem::exists("road.bin"));
    EXPECT_TRUE(std::filesystem::exists("road.png"));
}

TEST_F(GltfExportTest, AnUnusableTextureWritesNothing) {
    AddPoints({{0, 0, 0}, {100, 0, 0}});
    std::string failure;
    EXPECT_EQ(GltfExport::Write("road.glb", GltfExport::Container::Binary,
                                {0.01, "missing.bmp", "road"}, failure),
              1);
    EXPECT_EQ(failure, "missing.bmp: cannot open (No such file or directory)");
    EXPECT_FALSE(std::filesystem::exists("road.glb"));
}

} // namespace
