#include "cli/SurfaceImage.h"

#include "platform/BitmapHeader.h"
#include "platform/PngImage.h"
#include "platform/Presentation.h"
#include "platform/SaveFile.h"

#include <cstdint>
#include <vector>

namespace SurfaceImage {

namespace {

// The surface's own rows follow the headers as they are: bottom-up, 16 bits per pixel
// (5-5-5 without a mask), each padded to 4 bytes.
std::vector<std::uint8_t> BmpHeaders(const platform::Surface& surface) {
    const auto imageSize =
        static_cast<std::uint32_t>(surface.Stride()) * static_cast<std::uint32_t>(surface.Height());
    return BitmapHeader::Write(surface.Width(), surface.Height(), 16, imageSize);
}

std::vector<std::uint8_t> RgbRows(const platform::Surface& surface) {
    const int width = surface.Width();
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(width) * surface.Height() * 3);
    std::size_t at = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        const platform::Colour15* row = surface.Row(y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = platform::ToRgb888(row[x]);
            rows[at++] = static_cast<std::uint8_t>(rgb >> 16);
            rows[at++] = static_cast<std::uint8_t>(rgb >> 8);
            rows[at++] = static_cast<std::uint8_t>(rgb);
        }
    }
    return rows;
}

// 0 when the file is in place; otherwise 1, with why in `failure`.
int Committed(SaveFile& file, std::string& failure) {
    if (file.Commit()) {
        return 0;
    }
    failure = file.Failure();
    return 1;
}

} // namespace

int WriteBmp16(const platform::Surface& surface, const std::string& path, std::string& failure) {
    SaveFile file(path);
    if (file.Open()) {
        const std::vector<std::uint8_t> headers = BmpHeaders(surface);
        file.Write(headers.data(), headers.size());
        file.Write(surface.Bits(), static_cast<std::size_t>(surface.Stride()) *
                                       static_cast<std::size_t>(surface.Height()));
    }
    return Committed(file, failure);
}

int WritePng(const platform::Surface& surface, const std::string& path, std::string& failure) {
    const std::vector<std::uint8_t> png =
        PngImage::EncodeRgb(RgbRows(surface), surface.Width(), surface.Height());
    if (png.empty()) {
        failure = "the picture cannot be encoded";
        return 1;
    }
    return SaveWholeFile(path, png.data(), png.size(), failure) ? 0 : 1;
}

} // namespace SurfaceImage
