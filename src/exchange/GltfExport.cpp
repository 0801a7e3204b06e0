#include "exchange/GltfExport.h"

#include "exchange/ExchangeFiles.h"
#include "model/CourseData.h"
#include "model/RoadMesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <tiny_gltf.h>
#include <vector>

namespace GltfExport {

namespace {

using ExchangeFiles::Beside;
using ExchangeFiles::Bytes;

constexpr int ArrayBuffer = 34962;
constexpr int ElementArrayBuffer = 34963;

// Appends `count` values, the i-th made by `value(i)`, to the buffer as a view of their
// own, 4-byte aligned; the view's index.
template <class Make>
int AddView(tinygltf::Model& model, size_t count, int target, const Make& value) {
    Bytes& data = model.buffers[0].data;
    data.resize((data.size() + 3) / 4 * 4);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = data.size();
    view.target = target;
    for (size_t i = 0; i < count; ++i) {
        const auto item = value(i);
        const auto* bytes = reinterpret_cast<const unsigned char*>(&item);
        data.insert(data.end(), bytes, bytes + sizeof(item));
    }
    view.byteLength = data.size() - view.byteOffset;
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

std::array<float, 3> Single(const Vec3d& v) {
    return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

// The mesh's attributes and indices as single-precision arrays in the buffer, written
// straight into it: the buffer is a few megabytes, and every fresh copy of that size
// costs more than the arithmetic.
tinygltf::Primitive AddGeometry(tinygltf::Model& model, const RoadMesh::Mesh& mesh) {
    const std::vector<RoadMesh::Vertex>& vertices = mesh.vertices;
    const size_t count = vertices.size();
    std::vector<double> low(3, std::numeric_limits<double>::max());
    std::vector<double> high(3, std::numeric_limits<double>::lowest());
    for (const RoadMesh::Vertex& v : vertices) {
        const std::array<float, 3> p = Single(v.position);
        for (size_t axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], static_cast<double>(p[axis]));
            high[axis] = std::max(high[axis], static_cast<double>(p[axis]));
        }
    }
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    primitive.material = 0;
    const int positions =
        AddView(model, count, ArrayBuffer, [&](size_t i) { return Single(vertices[i].position); });
    primitive.attributes["POSITION"] =
        AddAccessor(model, positions, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, count);
    model.accessors.back().minValues = low;
    model.accessors.back().maxValues = high;
    const int normals =
        AddView(model, count, ArrayBuffer, [&](size_t i) { return Single(vertices[i].normal); });
    primitive.attributes["NORMAL"] =
        AddAccessor(model, normals, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, count);
    const int uvs = AddView(model, count, ArrayBuffer, [&](size_t i) {
        return std::array<float, 2>{static_cast<float>(vertices[i].u),
                                    static_cast<float>(vertices[i].v)};
    });
    primitive.attributes["TEXCOORD_0"] =
        AddAccessor(model, uvs, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, count);
    const int indices = AddView(model, mesh.indices.size(), ElementArrayBuffer,
                                [&](size_t i) { return mesh.indices[i]; });
    primitive.indices = AddAccessor(model, indices, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT,
                                    TINYGLTF_TYPE_SCALAR, mesh.indices.size());
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
        Vec3d p{};
        CourseData::GetPosition(i, p.x, p.y, p.z);
        const Vec3d e = RoadMesh::Exchanged(p, scale);
        points.emplace_back(tinygltf::Value::Array{tinygltf::Value(e.x), tinygltf::Value(e.y),
                                                   tinygltf::Value(e.z)});
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
    // Room for every view and its alignment at once, so the buffer is never copied.
    model.buffers[0].data.reserve((road.vertices.size() * 8 + road.indices.size()) * 4 +
                                  png.size() + 16);
    tinygltf::Mesh mesh;
    mesh.name = options.name;
    mesh.primitives.push_back(AddGeometry(model, road));
    model.meshes.push_back(mesh);
    AddMaterial(model, options.name);
    tinygltf::Image image;
    image.mimeType = "image/png";
    if (pngName.empty()) {
        image.bufferView = AddView(model, png.size(), 0, [&png](size_t i) { return png[i]; });
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

// tinygltf writes a stream's buffer inline, as base64; a .gltf names the file beside it
// instead. The buffer is taken out of the model first, so that nothing is encoded.
bool WriteText(tinygltf::Model& model, const Beside& beside, const std::string& path,
               const Bytes& png, std::string& failure) {
    const Bytes buffer = std::move(model.buffers[0].data);
    model.buffers[0].data.clear();
    tinygltf::TinyGLTF writer;
    std::ostringstream out;
    if (!writer.WriteGltfSceneToStream(&model, out, false, false)) {
        failure = path + ": the glTF writer failed";
        return false;
    }
    nlohmann::json document = nlohmann::json::parse(out.str());
    document["buffers"][0] = {{"byteLength", buffer.size()}, {"uri", beside.Name(".bin")}};
    const std::string json = document.dump();
    return ExchangeFiles::WriteFile(beside.Path(".bin"), buffer.data(), buffer.size(), failure) &&
           ExchangeFiles::WriteFile(beside.Path(".png"), png.data(), png.size(), failure) &&
           ExchangeFiles::WriteFile(path, json.data(), json.size(), failure);
}

// The course's model, its texture `png` embedded, or beside it as `pngName` when that is
// not empty; nothing, with why in `failure`, when the road or the texture cannot be
// exported. The road's own mesh is let go before the model is written, so that the
// writer's copy of the buffer can reuse its memory.
std::optional<tinygltf::Model> CourseModel(const Options& options, const std::string& pngName,
                                           const std::string& path, Bytes& png,
                                           std::string& failure) {
    const RoadMesh::Mesh road = RoadMesh::Build(options.scale);
    if (!ExchangeFiles::FitsSinglePrecision(road, path, failure)) {
        return std::nullopt;
    }
    png = ExchangeFiles::TexturePng(options.texture, failure);
    if (png.empty()) {
        return std::nullopt;
    }
    return MakeModel(options, road, png, pngName);
}

} // namespace

int Write(const std::string& path, Container container, const Options& options,
          std::string& failure) {
    const Beside beside(path);
    const bool binary = container == Container::Binary;
    Bytes png;
    std::optional<tinygltf::Model> model =
        CourseModel(options, binary ? "" : beside.Name(".png"), path, png, failure);
    if (!model) {
        return 1;
    }
    if (!binary) {
        return WriteText(*model, beside, path, png, failure) ? 0 : 1;
    }
    const bool written = ExchangeFiles::WriteStream(
        path,
        [&model](std::ostream& out) {
            tinygltf::TinyGLTF writer;
            return writer.WriteGltfSceneToStream(&*model, out, false, true);
        },
        failure);
    return written ? 0 : 1;
}

} // namespace GltfExport
