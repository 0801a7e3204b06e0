#include "exchange/ExchangeFiles.h"

#include "platform/OpenRegularFile.h"
#include "platform/PngImage.h"
#include "platform/SaveFile.h"
#include "platform/SaveFileBuffer.h"
#include "render/BMPFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace ExchangeFiles {

Bytes TexturePng(const std::string& path, std::string& failure) {
    std::FILE* file = OpenRegularFile(path.c_str(), &failure);
    if (file == nullptr) {
        failure = path + ": cannot open (" + failure + ")";
        return {};
    }
    Bytes bytes;
    std::array<unsigned char, 65536> chunk{};
    for (size_t got = 0; (got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0;) {
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<long>(got));
    }
    (void)std::fclose(file);
    BMPFile::Picture picture;
    if (const char* refusal = BMPFile::Decode(bytes, 24, picture); refusal != nullptr) {
        failure = path + ": not a usable texture (" + refusal + ")";
        return {};
    }
    Bytes png =
        PngImage::EncodeRgb({picture.data.get(), picture.size}, picture.width, picture.height);
    if (png.empty()) {
        failure = path + ": the texture cannot be encoded";
    }
    return png;
}

bool FitsSinglePrecision(const RoadMesh::Mesh& mesh, const std::string& path,
                         std::string& failure) {
    const auto fits = [](const Vec3d& v) {
        return std::isfinite(static_cast<float>(v.x)) && std::isfinite(static_cast<float>(v.y)) &&
               std::isfinite(static_cast<float>(v.z));
    };
    const bool all =
        std::all_of(mesh.vertices.begin(), mesh.vertices.end(), [&](const RoadMesh::Vertex& v) {
            return fits(v.position) && fits(v.normal) && std::isfinite(static_cast<float>(v.v));
        });
    if (!all) {
        failure = path + ": the road reaches beyond the single-precision numbers its readers hold";
    }
    return all;
}

bool WriteFile(const std::string& path, const void* data, size_t size, std::string& failure) {
    if (SaveWholeFile(path, data, size, failure)) {
        return true;
    }
    failure = path + ": cannot write (" + failure + ")";
    return false;
}

bool WriteStream(const std::string& path, const std::function<bool(std::ostream&)>& write,
                 std::string& failure) {
    SaveFile file(path);
    if (file.Open()) {
        SaveFileBuffer buffer(file);
        std::ostream out(&buffer);
        if (!write(out) || !out.flush()) {
            failure = path + ": the writer failed";
            return false;
        }
    }
    if (!file.Commit()) {
        failure = path + ": cannot write (" + file.Failure() + ")";
        return false;
    }
    return true;
}

Beside::Beside(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.rfind('.');
    folder = path.substr(0, start);
    stem = path.substr(start,
                       dot == std::string::npos || dot < start ? std::string::npos : dot - start);
}

} // namespace ExchangeFiles
