#include "ResourceWriter.h"

#include "platform/SaveFile.h"

#include <cstdio>

namespace ResourceWriter {

namespace {

constexpr uint32_t BmpHeaderSize = 14 + 40;
constexpr uint32_t WavHeaderSize = 44;

void PutU16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xff));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xff));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    PutU16(out, value & 0xffff);
    PutU16(out, value >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(tag[i]));
    }
}

} // namespace

std::vector<uint8_t> EncodeBmp24(const QImage& image) {
    const auto width = static_cast<uint32_t>(image.width());
    const auto height = static_cast<uint32_t>(image.height());
    const uint32_t rowSize = (width * 3 + 3) / 4 * 4;
    const uint32_t pixelBytes = rowSize * height;

    std::vector<uint8_t> out;
    out.reserve(BmpHeaderSize + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, BmpHeaderSize + pixelBytes);
    PutU32(out, 0); // reserved
    PutU32(out, BmpHeaderSize);
    PutU32(out, 40);
    PutU32(out, width);
    PutU32(out, height); // positive: bottom-up
    PutU16(out, 1);      // planes
    PutU16(out, 24);
    PutU32(out, 0); // BI_RGB
    PutU32(out, pixelBytes);
    PutU32(out, 2835); // 72 dpi, in pixels per metre
    PutU32(out, 2835);
    PutU32(out, 0); // colours used
    PutU32(out, 0); // important colours

    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            out.push_back(static_cast<uint8_t>(qBlue(pixel)));
            out.push_back(static_cast<uint8_t>(qGreen(pixel)));
            out.push_back(static_cast<uint8_t>(qRed(pixel)));
        }
        out.resize(out.size() + (rowSize - width * 3), 0);
    }
    return out;
}

std::vector<uint8_t> EncodeWav16Mono(const std::vector<int16_t>& samples, uint32_t sampleRate) {
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(WavHeaderSize + dataBytes);
    PutTag(out, "RIFF");
    PutU32(out, WavHeaderSize - 8 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1); // PCM
    PutU16(out, 1); // mono
    PutU32(out, sampleRate);
    PutU32(out, sampleRate * 2); // bytes per second
    PutU16(out, 2);              // bytes per sample frame
    PutU16(out, 16);
    PutTag(out, "data");
    PutU32(out, dataBytes);
    for (const int16_t sample : samples) {
        PutU16(out, static_cast<uint16_t>(sample));
    }
    return out;
}

bool Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    SaveFile file(path);
    if (file.Open()) {
        file.Write(bytes.data(), bytes.size());
        if (file.Commit()) {
            return true;
        }
    }
    (void)std::fprintf(stderr, "velmora-make-resources: %s: cannot write\n", path.c_str());
    return false;
}

} // namespace ResourceWriter
