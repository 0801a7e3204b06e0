#include "platform/SaveFileBuffer.h"

SaveFileBuffer::SaveFileBuffer(SaveFile& file) : file(file) {
    Empty();
}

SaveFileBuffer::int_type SaveFileBuffer::overflow(int_type c) {
    Flush();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        sputc(traits_type::to_char_type(c));
    }
    return traits_type::not_eof(c);
}

std::streamsize SaveFileBuffer::xsputn(const char* s, std::streamsize n) {
    if (n < static_cast<std::streamsize>(block.size())) {
        return std::streambuf::xsputn(s, n);
    }
    Flush();
    file.Write(s, static_cast<size_t>(n));
    return n;
}

int SaveFileBuffer::sync() {
    Flush();
    return 0;
}

void SaveFileBuffer::Empty() {
    setp(block.data(), block.data() + block.size());
}

void SaveFileBuffer::Flush() {
    file.Write(pbase(), static_cast<size_t>(pptr() - pbase()));
    Empty();
}
