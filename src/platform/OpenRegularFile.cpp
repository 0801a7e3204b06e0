#include "platform/OpenRegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::FILE* Refuse(int error, const char* why, std::string* failure) {
    if (failure != nullptr) {
        *failure = why;
    }
    errno = error;
    return nullptr;
}

std::FILE* RefuseFor(int error, std::string* failure) {
    return Refuse(error, std::strerror(error), failure);
}

bool IsRegular(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

bool MakeBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

} // namespace

// Opening without blocking returns at once even for a FIFO without a writer; the check is
// made on the opened file itself, so nothing can be swapped in between.
std::FILE* OpenRegularFile(const char* path, std::string* failure) {
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return RefuseFor(errno, failure);
    }
    if (!IsRegular(fd)) {
        ::close(fd);
        return Refuse(EINVAL, NotARegularFile, failure);
    }
    std::FILE* file = MakeBlocking(fd) ? ::fdopen(fd, "rb") : nullptr;
    if (file == nullptr) {
        const int error = errno;
        ::close(fd);
        return RefuseFor(error, failure);
    }
    return file;
}
