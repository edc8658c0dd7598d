#include "file_replacement.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {

namespace {

// Keeps the temporary name within the file-name limit of common file systems.
constexpr std::size_t kMaxBaseNameForTemporary = 200;
constexpr int kCreateAttempts = 64;

std::string randomSuffix() {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string suffix(".");
    for (int i = 0; i < 6; ++i) suffix += kAlphabet[pick(device)];
    return suffix;
}

} // namespace

FileReplacement::FileReplacement(const char *target) {
    std::string path(target);
    if (path.empty()) return;

    struct stat existing {};
    bool replacing = false;
    if (lstat(path.c_str(), &existing) == 0) {
        // Write through a symbolic link to the file it names, as opening the
        // link for writing would. A dangling link is replaced by a regular
        // file, where opening it would have created its target instead.
        if (S_ISLNK(existing.st_mode)) {
            if (char *resolved = realpath(path.c_str(), nullptr)) {
                path = resolved;
                std::free(resolved);
            }
            replacing = stat(path.c_str(), &existing) == 0;
        } else {
            replacing = true;
        }
    } else if (errno != ENOENT) {
        noteFailure();
        return;
    }

    if (replacing && !S_ISREG(existing.st_mode)) {
        // Devices, pipes and the like cannot be replaced; write to them
        // directly (a folder fails to open here).
        stream_ = std::fopen(path.c_str(), "wb");
        if (stream_ == nullptr) noteFailure();
        return;
    }
    if (replacing && access(path.c_str(), W_OK) != 0) { // a read-only file stays as it is
        noteFailure();
        return;
    }

    target_ = path;
    if (!createBeside(path)) {
        noteFailure();
        return;
    }
    if (!replacing) return;

    // The replacement keeps the owner (where allowed) and the permissions of
    // the file it replaces. Only the superuser may give a file away; for
    // anyone else the new file stays theirs.
    const int fd = fileno(stream_);
    if (fchown(fd, existing.st_uid, existing.st_gid) != 0) {
    }
    if (fchmod(fd, existing.st_mode & 07777) != 0) {
        noteFailure();
        discard();
    }
}

void FileReplacement::noteFailure() {
    if (error_ == 0) error_ = errno;
}

bool FileReplacement::createBeside(const std::string &target) {
    const std::size_t slash = target.rfind('/');
    folder_ = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    baseName_ = slash == std::string::npos ? target : target.substr(slash + 1);
    if (baseName_.empty()) return false;

    // First a file without a name in the target's folder: it gets one only
    // when it is complete, so a process ended by any signal, even SIGKILL,
    // leaves nothing beside the target. Mode 0666 lets the umask decide the
    // permissions, as for any new file.
    const int unnamed = open(folder_.empty() ? "." : folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (unnamed >= 0) {
        stream_ = fdopen(unnamed, "wb");
        if (stream_ == nullptr) {
            close(unnamed);
            return false;
        }
        unnamed_ = true;
        return true;
    }
    // File systems without unnamed files: a named one beside the target.
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const std::string candidate = temporaryName();
        const int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        stream_ = fdopen(fd, "wb");
        if (stream_ == nullptr) {
            close(fd);
            unlink(candidate.c_str());
            return false;
        }
        temporary_ = candidate;
        return true;
    }
    return false;
}

std::string FileReplacement::temporaryName() const {
    return folder_ + baseName_.substr(0, kMaxBaseNameForTemporary) + randomSuffix();
}

bool FileReplacement::nameUnnamedFile() {
    // The unnamed file gets a free name beside the target, which the rename
    // then moves over the target. Through /proc for anyone; the descriptor
    // itself where /proc is missing (allowed to the superuser only).
    const std::string descriptorPath = "/proc/self/fd/" + std::to_string(fileno(stream_));
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const std::string candidate = temporaryName();
        if (linkat(AT_FDCWD, descriptorPath.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
            (errno == ENOENT && linkat(fileno(stream_), "", AT_FDCWD, candidate.c_str(), AT_EMPTY_PATH) == 0)) {
            temporary_ = candidate;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

void FileReplacement::discard() {
    const int reason = errno; // cleaning up must not hide why the write failed
    if (stream_ != nullptr) std::fclose(stream_);
    stream_ = nullptr;
    if (!temporary_.empty()) unlink(temporary_.c_str());
    temporary_.clear();
    errno = error_ != 0 ? error_ : reason;
}

FileReplacement::~FileReplacement() { discard(); }

bool FileReplacement::commit() {
    if (stream_ == nullptr) return false;
    const bool replacing = unnamed_ || !temporary_.empty();
    bool ok = std::fflush(stream_) == 0;
    if (ok && replacing) ok = fsync(fileno(stream_)) == 0;
    if (ok && unnamed_) ok = nameUnnamedFile();
    if (!ok) noteFailure();
    if (std::fclose(stream_) != 0 && ok) {
        noteFailure();
        ok = false;
    }
    stream_ = nullptr;
    if (!replacing) return ok;
    if (ok && std::rename(temporary_.c_str(), target_.c_str()) == 0) {
        temporary_.clear();
        return true;
    }
    if (ok) noteFailure(); // the rename failed
    discard();
    return false;
}

} // namespace vesk
