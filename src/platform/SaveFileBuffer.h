#pragma once

#include "platform/SaveFile.h"

#include <array>
#include <streambuf>

// A stream buffer that hands what a stream writes to a save file in blocks of 64 KiB;
// larger writes go through whole. Flush the stream before committing the file.
class SaveFileBuffer : public std::streambuf {
public:
    explicit SaveFileBuffer(SaveFile& file);

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    void Empty();
    void Flush();

    SaveFile& file;
    std::array<char, 65536> block{};
};
