#pragma once

#include "model/RoadMesh.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// What the exchange exports share: the road texture as PNG, the files beside the output,
// and writing a file whole.
namespace ExchangeFiles {

using Bytes = std::vector<unsigned char>;

// The bitmap file as a PNG; empty, with why in `failure` (naming the file), when it cannot
// be read or is not a usable bitmap.
Bytes TexturePng(const std::string& path, std::string& failure);

// Whether every number of the mesh holds in single precision, as glTF's do and as the
// readers of every exchange format keep them; false with why in `failure`, naming the file.
bool FitsSinglePrecision(const RoadMesh::Mesh& mesh, const std::string& path, std::string& failure);

// Writes the bytes through the atomic save; false with why in `failure`, naming the file.
bool WriteFile(const std::string& path, const void* data, size_t size, std::string& failure);

// Writes what `write` puts into the stream through the atomic save, in blocks, so the
// file is never held whole in memory; false with why in `failure`, naming the file.
// `write` returns whether it wrote the whole file; when it did not, the file is left alone.
bool WriteStream(const std::string& path, const std::function<bool(std::ostream&)>& write,
                 std::string& failure);

// A file beside the output, named as the output is, with another extension.
class Beside {
public:
    explicit Beside(const std::string& path);
    std::string Name(const char* extension) const { return stem + extension; }
    std::string Path(const char* extension) const { return folder + Name(extension); }

private:
    std::string folder;
    std::string stem;
};

} // namespace ExchangeFiles
