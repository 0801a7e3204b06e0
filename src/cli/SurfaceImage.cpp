#include "cli/SurfaceImage.h"

#include "platform/BitmapHeader.h"
#include "platform/Presentation.h"
#include "platform/SaveFile.h"

#include <csetjmp>
#include <cstdint>
#include <png.h>
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

// libpng hands the encoded bytes here; the file is committed only when all went well.
void WriteToSaveFile(png_structp png, png_bytep data, png_size_t length) {
    static_cast<SaveFile*>(png_get_io_ptr(png))->Write(data, length);
}

void FlushNothing(png_structp /*png*/) {}

std::vector<png_byte> RgbRows(const platform::Surface& surface) {
    const int width = surface.Width();
    std::vector<png_byte> rows(static_cast<std::size_t>(width) * surface.Height() * 3);
    std::size_t at = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        const platform::Colour15* row = surface.Row(y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = platform::ToRgb888(row[x]);
            rows[at++] = static_cast<png_byte>(rgb >> 16);
            rows[at++] = static_cast<png_byte>(rgb >> 8);
            rows[at++] = static_cast<png_byte>(rgb);
        }
    }
    return rows;
}

// libpng reports errors by longjmp; nothing here owns resources across the jump but
// libpng's own structures, which the caller destroys.
bool EncodePng(SaveFile& file, const platform::Surface& surface, std::vector<png_byte>& pixels) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_bytep> rows(static_cast<std::size_t>(surface.Height()));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = pixels.data() + y * static_cast<std::size_t>(surface.Width()) * 3;
    }
    bool done = false;
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_set_write_fn(png, &file, WriteToSaveFile, FlushNothing);
        png_set_IHDR(png, info, static_cast<png_uint_32>(surface.Width()),
                     static_cast<png_uint_32>(surface.Height()), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_rows(png, info, rows.data());
        png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
        done = true;
    }
    png_destroy_write_struct(&png, &info);
    return done;
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
    SaveFile file(path);
    if (file.Open()) {
        std::vector<png_byte> pixels = RgbRows(surface);
        if (!EncodePng(file, surface, pixels)) {
            failure = file.Failure();
            return 1;
        }
    }
    return Committed(file, failure);
}

} // namespace SurfaceImage
