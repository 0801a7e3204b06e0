#include "platform/SaveFile.h"

#include "platform/OpenRegularFile.h"
#include "platform/RemoveOnSignal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int MaxLinks = 40; // as many as the system follows in one path
constexpr int NameAttempts = 100;
constexpr const char* ReadOnlyFile = "read-only file";

// "dir/" for "dir/name", nothing for a bare name.
std::string FolderPrefix(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The path of the file a save replaces: the target itself or, through a chain of symbolic
// links, the path the last link names, which need not exist yet. A relative link is read
// from the link's folder. 0, or why the links cannot be followed.
int FollowLinks(std::string& path) {
    for (int hop = 0; hop < MaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return 0;
        }
        std::error_code error;
        const std::filesystem::path link = std::filesystem::read_symlink(path, error);
        if (error) {
            return error.value();
        }
        path = link.is_absolute() ? link.string() : FolderPrefix(path) + link.string();
    }
    return ELOOP;
}

// The permissions of a new file: the usual 0666 less the umask.
mode_t UsualMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A short hidden name, whatever the length of the target's name.
std::string TemporaryName() {
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string name = ".velmora-";
    for (int i = 0; i < 8; ++i) {
        name += Letters[random() % (sizeof Letters - 1)];
    }
    return name;
}

bool NoUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// An unnamed file is named later through /proc; where that is not mounted it cannot be.
bool CanNameUnnamedFiles() {
    return ::access("/proc/self/fd", X_OK) == 0;
}

} // namespace

SaveFile::SaveFile(std::string targetPath) : target(std::move(targetPath)) {}

SaveFile::~SaveFile() {
    Discard();
}

bool SaveFile::Open() {
    if (!CheckTarget()) {
        return false;
    }
    folderFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) {
        FailWith(errno);
        return false;
    }
    return CreateTemporary();
}

// Finds the file to replace and refuses one that must not be replaced, before any byte is
// written.
bool SaveFile::CheckTarget() {
    std::string path = target;
    if (const int error = FollowLinks(path)) {
        FailWith(error);
        return false;
    }
    folder = FolderPrefix(path);
    name = path.substr(folder.size());
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) {
            FailWith(errno);
            return false;
        }
        mode = UsualMode();
        return true;
    }
    if (!S_ISREG(info.st_mode)) {
        Fail(NotARegularFile);
        return false;
    }
    // access() grants root everything, so a file nobody may write counts as read-only too.
    if ((info.st_mode & 0222) == 0) {
        Fail(ReadOnlyFile);
        return false;
    }
    if (::access(path.c_str(), W_OK) != 0) {
        FailWith(errno);
        return false;
    }
    mode = info.st_mode & 07777;
    return true;
}

// An unnamed file where the system has them, else a short hidden name.
bool SaveFile::CreateTemporary() {
    if (CanNameUnnamedFiles()) {
        fd = ::openat(folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0) {
            return true;
        }
        if (!NoUnnamedFiles(errno)) {
            FailWith(errno);
            return false;
        }
    }
    return TakeFreeName([this](const char* candidate) {
        fd = ::openat(folderFd, candidate, O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        return fd >= 0;
    });
}

// Puts a file under a free temporary name with `make` and holds that name for removal on a
// signal, with no signal in between.
template <class MakeFile> bool SaveFile::TakeFreeName(MakeFile make) {
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const std::string candidate = TemporaryName();
        const RemoveOnSignal::Deferred deferred;
        if (make(candidate.c_str())) {
            temporary = candidate;
            holding = RemoveOnSignal::Hold(folderFd, temporary);
            return true;
        }
        if (errno != EEXIST) {
            FailWith(errno);
            return false;
        }
    }
    FailWith(EEXIST);
    return false;
}

// Links the finished unnamed file into the folder, so that it can be renamed over the target.
bool SaveFile::NameUnnamedFile() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return TakeFreeName([&](const char* candidate) {
        return ::linkat(AT_FDCWD, self.c_str(), folderFd, candidate, AT_SYMLINK_FOLLOW) == 0;
    });
}

void SaveFile::Write(const void* data, size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (!failed && size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            FailWith(written < 0 ? errno : EIO);
            break;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
}

bool SaveFile::Commit() {
    if (fd < 0 || failed) {
        Discard();
        return false;
    }
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
        FailWith(errno);
    }
    if (failed || (temporary.empty() && !NameUnnamedFile())) {
        Discard();
        return false;
    }
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0 || ::renameat(folderFd, temporary.c_str(), folderFd, name.c_str()) != 0) {
        FailWith(errno);
        Discard();
        return false;
    }
    temporary.clear();
    (void)::fsync(folderFd); // makes the rename durable; the file is already in place
    Discard();
    return true;
}

void SaveFile::Fail(const std::string& reason) {
    if (!failed) {
        failed = true;
        failure = reason;
    }
}

void SaveFile::FailWith(int error) {
    Fail(std::strerror(error));
}

// Closes what is open and removes a temporary file that was not renamed over the target.
void SaveFile::Discard() {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
    if (!temporary.empty()) {
        ::unlinkat(folderFd, temporary.c_str(), 0);
        temporary.clear();
    }
    if (holding) {
        RemoveOnSignal::Release();
        holding = false;
    }
    if (folderFd >= 0) {
        ::close(folderFd);
        folderFd = -1;
    }
}

bool SaveWholeFile(const std::string& path, const void* data, size_t size, std::string& failure) {
    SaveFile file(path);
    if (file.Open()) {
        file.Write(data, size);
    }
    if (!file.Commit()) {
        failure = file.Failure();
        return false;
    }
    return true;
}
