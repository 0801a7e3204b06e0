#pragma once

#include <string>
#include <string_view>

// A fresh private folder (mode 0700) under $TMPDIR, or /tmp, for files a run needs only
// for a while; it is removed with everything in it when the object goes. Removal does not
// follow symbolic links, so a link in the folder to a tree elsewhere removes the link and
// leaves the tree alone.
class ScratchFolder {
public:
    // Creates the folder as `prefix` followed by six random characters ("velmora-torcs-").
    explicit ScratchFolder(std::string_view prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path; empty when it could not be created.
    [[nodiscard]] const std::string& Path() const { return path; }
    // Why it could not be created, in words for a message; empty when it was.
    [[nodiscard]] const std::string& Failure() const { return failure; }

private:
    std::string path;
    std::string failure;
};
