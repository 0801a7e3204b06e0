#include "platform/SaveFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

size_t NameStart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

std::string TemporaryTemplate(const std::string& target) {
    const size_t nameStart = NameStart(target);
    return target.substr(0, nameStart) + "." + target.substr(nameStart) + ".XXXXXX";
}

// Makes the rename itself durable. The file is already in place, so this is best effort.
void SyncFolderOf(const std::string& target) {
    const size_t nameStart = NameStart(target);
    const std::string folder = nameStart == 0 ? "." : target.substr(0, nameStart);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

// A replaced file keeps its permissions; a new one gets the usual ones (0666 less umask).
mode_t TargetMode(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        return st.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

SaveFile::SaveFile(std::string targetPath) : target(std::move(targetPath)) {}

SaveFile::~SaveFile() {
    Discard();
}

bool SaveFile::Open() {
    temporary = TemporaryTemplate(target);
    fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        temporary.clear();
        failed = true;
        return false;
    }
    return true;
}

void SaveFile::Write(const void* data, size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (!failed && size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            failed = true;
            break;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
}

bool SaveFile::Commit() {
    if (fd < 0 || failed || ::fchmod(fd, TargetMode(target)) != 0 || ::fsync(fd) != 0) {
        Discard();
        return false;
    }
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0 || std::rename(temporary.c_str(), target.c_str()) != 0) {
        Discard();
        return false;
    }
    temporary.clear();
    SyncFolderOf(target);
    return true;
}

void SaveFile::Discard() {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
    if (!temporary.empty()) {
        ::unlink(temporary.c_str());
        temporary.clear();
    }
    failed = true;
}
