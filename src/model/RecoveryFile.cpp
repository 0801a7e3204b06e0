#include "model/RecoveryFile.h"

#include "model/CourseData.h"
#include "platform/OpenRegularFile.h"
#include "platform/SaveFile.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr const char* Prefix = "Recovery-";
constexpr const char* CopyExtension = ".cus";
constexpr const char* LockExtension = ".lock";
// The longest file name a copy records.
constexpr std::size_t MaxNameSize = PATH_MAX;

std::filesystem::path LockOf(std::filesystem::path copy) {
    return copy.replace_extension(LockExtension);
}

bool IsCopyName(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    return name.starts_with(Prefix) && path.extension() == CopyExtension;
}

// Whether a designer still holds the lock; a missing lock has no holder.
bool IsHeld(const std::filesystem::path& lock) {
    const int fd = open(lock.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd == -1) {
        return false;
    }
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0;
    close(fd);
    return held;
}

} // namespace

RecoveryFile::RecoveryFile(const std::filesystem::path& folder) {
    const auto start = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    copy =
        folder / (Prefix + std::to_string(getpid()) + "-" + std::to_string(start) + CopyExtension);
    lock = LockOf(copy);
    lockFd = open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd != -1 && flock(lockFd, LOCK_EX | LOCK_NB) != 0) {
        close(lockFd);
        lockFd = -1;
    }
}

RecoveryFile::~RecoveryFile() {
    if (lockFd != -1) {
        close(lockFd);
    }
}

void RecoveryFile::EndCleanly() {
    Remove();
    if (lockFd != -1) {
        std::error_code ignored;
        std::filesystem::remove(lock, ignored);
        close(lockFd);
        lockFd = -1;
    }
}

bool RecoveryFile::Write(const std::string& courseFile) {
    if (lockFd == -1) {
        return false;
    }
    std::vector<unsigned char> bytes = CourseData::SaveToBytes();
    if (courseFile.size() <= MaxNameSize) {
        bytes.insert(bytes.end(), courseFile.begin(), courseFile.end());
    }
    std::string failure;
    return SaveWholeFile(copy.string(), bytes.data(), bytes.size(), failure);
}

void RecoveryFile::Remove() {
    std::error_code ignored;
    std::filesystem::remove(copy, ignored);
}

std::vector<std::filesystem::path> RecoveryFile::FindLeft(const std::filesystem::path& folder) {
    std::vector<std::pair<std::filesystem::file_time_type, std::filesystem::path>> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error) && IsCopyName(entry.path()) &&
            !IsHeld(LockOf(entry.path()))) {
            found.emplace_back(entry.last_write_time(error), entry.path());
        }
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a > b; });
    std::vector<std::filesystem::path> copies;
    copies.reserve(found.size());
    for (auto& [time, path] : found) {
        copies.push_back(std::move(path));
    }
    return copies;
}

std::optional<RecoveryFile::Content> RecoveryFile::Read(const std::filesystem::path& copy) {
    std::FILE* file = OpenRegularFile(copy.c_str());
    if (file == nullptr) {
        return std::nullopt;
    }
    // One byte more than the largest copy tells a copy that is too long.
    std::vector<unsigned char> bytes(CourseFile::MaxFileSize() + MaxNameSize + 1);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    const bool readFailed = std::ferror(file) != 0;
    (void)std::fclose(file);
    std::optional<CourseFile::Image> image = CourseFile::Decode(bytes);
    if (readFailed || !image) {
        return std::nullopt;
    }
    // The file's name follows the header and the records.
    const std::size_t size =
        CourseFile::HeaderSize + CourseFile::PointRecordSize * image->points.size();
    if (bytes.size() > size + MaxNameSize) {
        return std::nullopt;
    }
    return Content{std::move(*image),
                   std::string(bytes.begin() + static_cast<std::ptrdiff_t>(size), bytes.end())};
}

void RecoveryFile::Discard(const std::filesystem::path& copy) {
    std::error_code ignored;
    std::filesystem::remove(copy, ignored);
    std::filesystem::remove(LockOf(copy), ignored);
}

std::filesystem::path RecoveryFile::SetAside(const std::filesystem::path& copy) {
    std::filesystem::path aside = copy;
    aside += ".corrupt";
    std::error_code ignored;
    std::filesystem::rename(copy, aside, ignored);
    std::filesystem::remove(LockOf(copy), ignored);
    return aside;
}
