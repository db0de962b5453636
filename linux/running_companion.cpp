#include "running_companion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "companion_record_name.h"

namespace {

// The user's private folder: $XDG_RUNTIME_DIR, or else a folder of the
// user's own under /tmp that nobody else may enter, created when `create`.
// One that is there already must be a real folder, never a symbolic link
// that another user planted. Empty when there is none.
std::string privateFolder(bool create) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return runtime;
    const std::string folder = "/tmp/grabnik-" + std::to_string(getuid());
    if (create) mkdir(folder.c_str(), 0700);
    struct stat status;
    if (lstat(folder.c_str(), &status) != 0) return "";
    if (S_ISDIR(status.st_mode) && status.st_uid == getuid() && (status.st_mode & 077) == 0)
        return folder;
    std::fprintf(stderr, "grabnik-companion: %s is not a private folder of yours.\n",
                 folder.c_str());
    return "";
}

std::string recordPath(bool create) {
    const std::string folder = privateFolder(create);
    return folder.empty() ? "" : folder + "/" + companionRecordName(std::getenv("DISPLAY"));
}

// The record, never through a symbolic link, and only a file of the
// user's own: one that another user planted is neither read nor written.
// The descriptor, or -1.
int openRecord(const std::string& path, int flags) {
    const int fd = open(path.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, 0600);
    struct stat status;
    if (fd >= 0 && fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == getuid())
        return fd;
    if (fd >= 0) close(fd);
    return -1;
}

struct flock wholeFile(short type) {
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return lock;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

bool CompanionRecord::take() {
    path_ = recordPath(true);
    if (path_.empty()) return false;
    // A companion that ends removes its record while it still holds the
    // lock: a record opened just before that is no longer the one at the
    // path, and the path is opened again.
    for (;;) {
        fd_ = openRecord(path_, O_RDWR | O_CREAT);
        if (fd_ < 0) {
            std::fprintf(stderr, "grabnik-companion: cannot keep its record %s.\n", path_.c_str());
            return false;
        }
        struct flock lock = wholeFile(F_WRLCK);
        if (fcntl(fd_, F_SETLK, &lock) != 0) {
            std::fprintf(stderr, "grabnik-companion: Grabnik already runs on this display.\n");
            close(fd_);
            fd_ = -1;
            return false;
        }
        struct stat opened, named;
        if (fstat(fd_, &opened) == 0 && stat(path_.c_str(), &named) == 0 && sameFile(opened, named))
            return true;
        close(fd_);
    }
}

CompanionRecord::~CompanionRecord() {
    if (fd_ < 0) return;
    // Removed before the lock goes, so that the next companion takes a
    // record of its own.
    unlink(path_.c_str());
    close(fd_);
}

int pressInRunningCompanion(const char* which) {
    const int signal = std::strcmp(which, "selection") == 0 ? PressSelectionSignal
                       : std::strcmp(which, "file") == 0    ? PressFileSignal
                                                            : 0;
    if (signal == 0) {
        std::fprintf(stderr, "usage: grabnik-companion --press selection|file\n");
        return 2;
    }
    // The process that holds the record's lock is the running companion.
    const std::string path = recordPath(false);
    const int fd = path.empty() ? -1 : openRecord(path, O_RDONLY);
    struct flock lock = wholeFile(F_WRLCK);
    const bool held = fd >= 0 && fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    if (fd >= 0) close(fd);
    // Never without a process number: kill(0) would signal this group.
    if (!held || lock.l_pid <= 0 || kill(lock.l_pid, signal) != 0) {
        std::fprintf(stderr, "Grabnik is not running on this display.\n");
        return 1;
    }
    return 0;
}
