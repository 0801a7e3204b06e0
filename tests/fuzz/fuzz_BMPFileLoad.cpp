// libFuzzer target for reading bitmap files, through the decoder that BMPFile::Load runs on a
// file's bytes. Whatever bytes arrive, the reader must stay inside them (AddressSanitizer
// watches), refuse or accept them alike in both target depths, and when it accepts, give
// width x height pixels in each, the 15-bit words being the 24-bit pixels' top five bits,
// from an allocation no larger than three times the file. A broken rule traps.

#include "platform/Surface.h"
#include "render/BMPFile.h"

#include <cstdio>
#include <cstring>
#include <span>

namespace {

void Require(bool holds, const char* rule) {
    if (!holds) {
        (void)std::fprintf(stderr, "fuzz_BMPFileLoad: broken: %s\n", rule);
        __builtin_trap();
    }
}

void CheckAccepted(const BMPFile::Picture& words, const BMPFile::Picture& rgb, size_t fileSize) {
    Require(words.width > 0 && words.height > 0, "an accepted picture has pixels");
    Require(words.width == rgb.width && words.height == rgb.height,
            "both depths give the same dimensions");
    const uint64_t pixels =
        static_cast<uint64_t>(words.width) * static_cast<uint64_t>(words.height);
    Require(words.size == pixels * 2 && rgb.size == pixels * 3,
            "the size is width x height x bytes per pixel");
    Require(rgb.size <= 3 * static_cast<uint64_t>(fileSize),
            "the allocation is bounded by the file's size");
    for (uint64_t i = 0; i < pixels; ++i) {
        const uint8_t* c = rgb.data.get() + 3 * i;
        const unsigned word = words.data[2 * i] | words.data[2 * i + 1] << 8;
        Require(word == platform::Rgb15(c[0], c[1], c[2]), "15-bit words match the 24-bit pixels");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> file(data, size);
    BMPFile::Picture words;
    BMPFile::Picture rgb;
    const char* refusedWords = BMPFile::Decode(file, 16, words);
    const char* refusedRgb = BMPFile::Decode(file, 24, rgb);
    Require((refusedWords == nullptr) == (refusedRgb == nullptr) &&
                (refusedWords == nullptr || std::strcmp(refusedWords, refusedRgb) == 0),
            "both depths refuse a file for the same reason");
    if (refusedWords == nullptr) {
        CheckAccepted(words, rgb, size);
    } else {
        Require(words.data == nullptr && rgb.data == nullptr, "a refused file gives no pixels");
    }
    return 0;
}
