#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

// The two file formats the designer's resources are stored in, encoded by hand so that
// the bytes do not depend on an image library's choices.
namespace ResourceWriter {

// A 24-bit uncompressed bitmap: file header, 40-byte information header, then the rows
// bottom-up, each padded to 4 bytes. The pixel rows end the file, as the bitmap reader
// expects.
std::vector<uint8_t> EncodeBmp24(const QImage& image);

// A RIFF/WAVE file of 16-bit mono PCM samples.
std::vector<uint8_t> EncodeWav16Mono(const std::vector<int16_t>& samples, uint32_t sampleRate);

// Replaces the file at path with the bytes; false, with the reason on stderr, on failure.
bool Write(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace ResourceWriter
