#include "exchange/GltfExport.h"

#include "exchange/ExchangeFiles.h"
#include "model/CourseData.h"
#include "model/RoadMesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <tiny_gltf.h>
#include <vector>

namespace GltfExport {

namespace {

using ExchangeFiles::Beside;
using ExchangeFiles::Bytes;

constexpr int ArrayBuffer = 34962;
constexpr int ElementArrayBuffer = 34963;

// Appends the values to the buffer as a view of their own, 4-byte aligned; its index.
template <class T> int AddView(tinygltf::Model& model, const std::vector<T>& values, int target) {
    Bytes& data = model.buffers[0].data;
    data.resize((data.size() + 3) / 4 * 4);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = data.size();
    view.byteLength = values.size() * sizeof(T);
    view.target = target;
    const auto* bytes = reinterpret_cast<const unsigned char*>(values.data());
    data.insert(data.end(), bytes, bytes + view.byteLength);
    model.bufferViews.push_back(view);
    return static_cast<int>(model.bufferViews.size()) - 1;
}

int AddAccessor(tinygltf::Model& model, int view, int componentType, int type, size_t count) {
    tinygltf::Accessor accessor;
    accessor.bufferView = view;
    accessor.componentType = componentType;
    accessor.type = type;
    accessor.count = count;
    model.accessors.push_back(accessor);
    return static_cast<int>(model.accessors.size()) - 1;
}

// The mesh's attributes and indices as single-precision arrays in the buffer.
tinygltf::Primitive AddGeometry(tinygltf::Model& model, const RoadMesh::Mesh& mesh) {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<float> uvs;
    std::vector<double> low(3, std::numeric_limits<double>::max());
    std::vector<double> high(3, std::numeric_limits<double>::lowest());
    for (const RoadMesh::Vertex& v : mesh.vertices) {
        const std::array<float, 3> p{static_cast<float>(v.position.x),
                                     static_cast<float>(v.position.y),
                                     static_cast<float>(v.position.z)};
        for (size_t axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], static_cast<double>(p[axis]));
            high[axis] = std::max(high[axis], static_cast<double>(p[axis]));
        }
        positions.insert(positions.end(), p.begin(), p.end());
        normals.insert(normals.end(),
                       {static_cast<float>(v.normal.x), static_cast<float>(v.normal.y),
                        static_cast<float>(v.normal.z)});
        uvs.insert(uvs.end(), {static_cast<float>(v.u), static_cast<float>(v.v)});
    }
    const size_t count = mesh.vertices.size();
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    primitive.material = 0;
    primitive.attributes["POSITION"] =
        AddAccessor(model, AddView(model, positions, ArrayBuffer), TINYGLTF_COMPONENT_TYPE_FLOAT,
                    TINYGLTF_TYPE_VEC3, count);
    model.accessors.back().minValues = low;
    model.accessors.back().maxValues = high;
    primitive.attributes["NORMAL"] =
        AddAccessor(model, AddView(model, normals, ArrayBuffer), TINYGLTF_COMPONENT_TYPE_FLOAT,
                    TINYGLTF_TYPE_VEC3, count);
    primitive.attributes["TEXCOORD_0"] =
        AddAccessor(model, AddView(model, uvs, ArrayBuffer), TINYGLTF_COMPONENT_TYPE_FLOAT,
                    TINYGLTF_TYPE_VEC2, count);
    primitive.indices = AddAccessor(model, AddView(model, mesh.indices, ElementArrayBuffer),
                                    TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR,
                                    mesh.indices.size());
    return primitive;
}

// The road texture, repeating along the road, on a rough, non-metallic surface.
void AddMaterial(tinygltf::Model& model, const std::string& name) {
    tinygltf::Sampler sampler;
    sampler.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
    sampler.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
    sampler.wrapS = TINYGLTF_TEXTURE_WRAP_REPEAT;
    sampler.wrapT = TINYGLTF_TEXTURE_WRAP_REPEAT;
    model.samplers.push_back(sampler);
    tinygltf::Texture texture;
    texture.sampler = 0;
    texture.source = 0;
    model.textures.push_back(texture);
    tinygltf::Material material;
    material.name = name;
    material.pbrMetallicRoughness.baseColorTexture.index = 0;
    material.pbrMetallicRoughness.metallicFactor = 0.0;
    material.pbrMetallicRoughness.roughnessFactor = 1.0;
    model.materials.push_back(material);
}

// The course's points in the exchange axes, its loop flag and width scale.
tinygltf::Value CourseExtras(double scale) {
    tinygltf::Value::Array points;
    for (int i = 0; i < CourseData::GetPointNum(); ++i) {
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
        CourseData::GetPosition(i, x, y, z);
        points.emplace_back(tinygltf::Value::Array{tinygltf::Value(x * scale),
                                                   tinygltf::Value(y * scale),
                                                   tinygltf::Value(0.0 - z * scale)});
    }
    tinygltf::Value::Object extras;
    extras["points"] = tinygltf::Value(std::move(points));
    extras["loop"] = tinygltf::Value(CourseData::IsLoop() != 0);
    extras["widthScale"] = tinygltf::Value(CourseData::GetWidthScale());
    return tinygltf::Value(std::move(extras));
}

tinygltf::Model MakeModel(const Options& options, const RoadMesh::Mesh& road, const Bytes& png,
                          const std::string& pngName) {
    tinygltf::Model model;
    model.asset.version = "2.0";
    model.asset.generator = "Velmora " VELMORA_VERSION;
    model.buffers.resize(1);
    tinygltf::Mesh mesh;
    mesh.name = options.name;
    mesh.primitives.push_back(AddGeometry(model, road));
    model.meshes.push_back(mesh);
    AddMaterial(model, options.name);
    tinygltf::Image image;
    image.mimeType = "image/png";
    if (pngName.empty()) {
        image.bufferView = AddView(model, png, 0);
    } else {
        image.uri = pngName;
    }
    model.images.push_back(image);
    tinygltf::Node node;
    node.name = options.name;
    node.mesh = 0;
    node.extras = CourseExtras(options.scale);
    model.nodes.push_back(node);
    tinygltf::Scene scene;
    scene.nodes.push_back(0);
    model.scenes.push_back(scene);
    model.defaultScene = 0;
    return model;
}

// tinygltf writes a stream's buffer inline; a .gltf names the file beside it instead.
std::string WithBufferBeside(const std::string& json, const std::string& bufferName) {
    nlohmann::json document = nlohmann::json::parse(json);
    document["buffers"][0]["uri"] = bufferName;
    return document.dump();
}

} // namespace

int Write(const std::string& path, Container container, const Options& options,
          std::string& failure) {
    const RoadMesh::Mesh road = RoadMesh::Build(options.scale);
    if (!ExchangeFiles::FitsSinglePrecision(road, path, failure)) {
        return 1;
    }
    const Bytes png = ExchangeFiles::TexturePng(options.texture, failure);
    if (png.empty()) {
        return 1;
    }
    const Beside beside(path);
    const bool binary = container == Container::Binary;
    const tinygltf::Model model = MakeModel(options, road, png, binary ? "" : beside.Name(".png"));
    tinygltf::TinyGLTF writer;
    std::ostringstream out;
    if (!writer.WriteGltfSceneToStream(&model, out, false, binary)) {
        failure = path + ": the glTF writer failed";
        return 1;
    }
    if (binary) {
        const std::string glb = out.str();
        return ExchangeFiles::WriteFile(path, glb.data(), glb.size(), failure) ? 0 : 1;
    }
    const std::string json = WithBufferBeside(out.str(), beside.Name(".bin"));
    const Bytes& buffer = model.buffers[0].data;
    const bool written =
        ExchangeFiles::WriteFile(beside.Path(".bin"), buffer.data(), buffer.size(), failure) &&
        ExchangeFiles::WriteFile(beside.Path(".png"), png.data(), png.size(), failure) &&
        ExchangeFiles::WriteFile(path, json.data(), json.size(), failure);
    return written ? 0 : 1;
}

} // namespace GltfExport
