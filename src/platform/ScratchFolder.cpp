#include "platform/ScratchFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

std::string TemporaryRoot() {
    const char* root = std::getenv("TMPDIR");
    return root != nullptr && *root != '\0' ? root : "/tmp";
}

} // namespace

ScratchFolder::ScratchFolder(std::string_view prefix) {
    const std::string pattern = TemporaryRoot() + '/' + std::string(prefix) + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr) {
        failure = pattern + ": " + std::strerror(errno);
        return;
    }
    path = name.data();
}

// remove_all removes a symbolic link itself and never descends through it.
ScratchFolder::~ScratchFolder() {
    if (!path.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
}
