#include "platform/file_write.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The temporary file's name in the replaced file's folder; mkstemp() fills in the Xs. Short and
// of its own, so that a long file name cannot make it too long.
constexpr const char* REPLACE_TEMP_NAME = ".veldane-header-XXXXXX";

// Writes all of `bytes` to `fd`. false when the file system takes no more (a full disk, a file
// size limit); what was written stays in the file, which the caller then removes.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = write(fd, bytes.data(), bytes.size());
        // Only a signal handler, which neither program nor the tests install, interrupts a call.
        if (put < 0 && errno == EINTR) { // GCOVR_EXCL_BR_LINE
            continue;                    // GCOVR_EXCL_LINE
        }
        if (put <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// Flushes the folder that holds `path`, so that a rename into it survives a crash. A failure
// cannot undo the rename, so it is not reported.
void SyncFolderOf(const std::string& path) {
    const int fd = open(PfFolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // The folder was just written into, so it opens unless it is removed in between.
    if (fd >= 0) { // GCOVR_EXCL_BR_LINE
        fsync(fd);
        close(fd);
    }
}

} // namespace

std::filesystem::path PfFolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

bool PfReplaceThroughTemp(const std::string& path, std::string tempPattern, std::string_view bytes,
                          mode_t mode, const struct stat* pOwner) {
    const int fd = mkstemp(tempPattern.data());
    if (fd < 0) {
        return false;
    }
    // Where the file system has no locks the write goes ahead unlocked.
    flock(fd, LOCK_EX);
    // The owner can only be kept by a process allowed to give files away; otherwise the new
    // file is the writer's, as a file an editor saves would be.
    if (pOwner != nullptr && fchown(fd, pOwner->st_uid, pOwner->st_gid) != 0) {
        errno = 0; // not kept: no reason to stop
    }
    // The mode is set after the write, which would clear a set-user-ID bit set before it.
    // fchmod() of the writer's own new file and fsync() fail only for faults of the disk; a full
    // disk shows in WriteAll().
    bool ok = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0; // GCOVR_EXCL_BR_LINE
    ok = ok && std::rename(tempPattern.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(tempPattern.c_str());
    }
    // Closed only now, so that the lock lasts until the rename; after fsync() a failing close()
    // cannot lose the data any more.
    close(fd);
    if (!ok) {
        return false;
    }
    SyncFolderOf(path);
    return true;
}

bool PfReplaceFile(const std::string& path, std::string_view bytes) {
    // The callers have just read the file through this path: only a race makes it vanish or
    // change its kind.
    char* const found = realpath(path.c_str(), nullptr);
    if (found == nullptr) { // GCOVR_EXCL_BR_LINE
        return false;       // GCOVR_EXCL_LINE
    }
    const std::string resolved = found;
    std::free(found);
    struct stat target {};
    if (stat(resolved.c_str(), &target) != 0 || !S_ISREG(target.st_mode)) { // GCOVR_EXCL_BR_LINE
        return false;                                                       // GCOVR_EXCL_LINE
    }
    if (access(resolved.c_str(), W_OK) != 0) {
        return false;
    }
    return PfReplaceThroughTemp(
        resolved, std::filesystem::path(resolved).replace_filename(REPLACE_TEMP_NAME).string(),
        bytes, target.st_mode & 07777, &target);
}
