#pragma once

#include "model/CourseFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The recovery copy of a course whose changes its file does not hold yet, kept in the
// designer's start directory so that a designer that ends without saving (a crash, a
// kill) leaves the work for the next start to offer back. Each designer writes a copy of
// its own, "Recovery-<pid>-<start>.cus", and holds the lock file of the same name ending
// in ".lock" locked while it runs: designers started from one folder never touch each
// other's copies, and a copy whose lock can be taken was left by a designer that is gone.
// A copy holds the course file's bytes followed by the name of the file the course came
// from (nothing for a course never saved).
class RecoveryFile {
public:
    // Takes a name in the folder and locks it; copies are written only once it is locked.
    explicit RecoveryFile(const std::filesystem::path& folder);
    // Lets the lock go and leaves the copy: an end that is not known to be clean (the
    // process leaving through exit, say) must not take the work with it.
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    // Replaces the copy, all at once, with the course as it is now and the name of its
    // file; false when it could not be written.
    bool Write(const std::string& courseFile);
    // When nothing is left unsaved.
    void Remove();
    // A clean end: the copy and the lock go.
    void EndCleanly();
    [[nodiscard]] const std::filesystem::path& GetPath() const { return copy; }

    struct Content {
        CourseFile::Image course; // as checked whole by the course file's decoder
        std::string courseFile;
    };
    // The copies in the folder whose designers are gone, newest first.
    static std::vector<std::filesystem::path> FindLeft(const std::filesystem::path& folder);
    // Nothing when the copy does not hold a whole course.
    static std::optional<Content> Read(const std::filesystem::path& copy);
    // Removes a left copy and its lock.
    static void Discard(const std::filesystem::path& copy);
    // Renames a copy that cannot be read to "<name>.corrupt", out of the way of later
    // starts, and removes its lock; the new name.
    static std::filesystem::path SetAside(const std::filesystem::path& copy);

private:
    std::filesystem::path copy;
    std::filesystem::path lock;
    int lockFd = -1;
};
