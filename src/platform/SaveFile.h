#pragma once

#include <cstddef>
#include <string>

// Writes a file so that it is either wholly replaced or left as it was: the bytes go to
// a temporary file beside the target, which is renamed over the target only when every
// byte was written and flushed to disk. A SaveFile that is not committed removes its
// temporary file.
class SaveFile {
public:
    explicit SaveFile(std::string targetPath);
    ~SaveFile();
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    // Creates the temporary file; false when the target's directory does not take it.
    bool Open();
    // Remembers a failure; a failed write makes Commit fail.
    void Write(const void* data, size_t size);
    // Flushes, closes and renames over the target; false on any failure so far.
    bool Commit();

private:
    void Discard();

    std::string target;
    std::string temporary;
    int fd = -1;
    bool failed = false;
};
