#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

// Writes a file so that it is either wholly replaced or left as it was: the bytes go to a
// temporary file beside the target, which is renamed over the target only when every byte
// was written and flushed to disk. Where the file system allows it the temporary file has no
// name until then, so a process killed part-way leaves nothing behind; otherwise it has a
// short hidden name, removed if SIGTERM or SIGINT ends the process. A SaveFile that is not
// committed removes its temporary file.
//
// A target that is a symbolic link saves into the file the link names (through any chain of
// links; the link itself stays). A target that is not a regular file, or that may not be
// written (including one with no write permission bit at all), is refused and left alone.
class SaveFile {
public:
    explicit SaveFile(std::string targetPath);
    ~SaveFile();
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    // Checks the target and creates the temporary file; false when the target is refused or
    // its folder does not take the file.
    [[nodiscard]] bool Open();
    // Remembers a failure; a failed write makes Commit fail.
    void Write(const void* data, size_t size);
    // Flushes, closes and renames over the target; false on any failure so far.
    [[nodiscard]] bool Commit();
    // Why the save failed, in words for a message ("No space left on device", "not a
    // regular file", "read-only file"); empty while nothing failed.
    [[nodiscard]] const std::string& Failure() const { return failure; }

private:
    bool CheckTarget();
    bool CreateTemporary();
    template <class MakeFile> bool TakeFreeName(MakeFile make);
    bool NameUnnamedFile();
    void Fail(const std::string& reason);
    void FailWith(int error);
    void Discard();

    std::string target;
    std::string folder; // of the file that is replaced, once links are followed
    std::string name;   // that file's name in the folder
    mode_t mode = 0;    // the permissions it gets
    int folderFd = -1;
    int fd = -1;
    std::string temporary; // the temporary file's name in the folder, once it has one
    bool holding = false;  // whether that name is held for removal on a signal
    bool failed = false;
    std::string failure;
};

// Saves the bytes as the whole file through a SaveFile; false, with why in `failure` (as
// SaveFile::Failure words it), when the file was not replaced.
[[nodiscard]] bool SaveWholeFile(const std::string& path, const void* data, size_t size,
                                 std::string& failure);
