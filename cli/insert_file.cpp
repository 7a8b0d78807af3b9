#include "cli/insert_file.h"

#include "cli/text_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file's name in the target's folder; mkstemp() fills in the Xs. Short and of
// its own, so that a long file name cannot make it too long.
constexpr const char* TEMP_NAME = ".veldane-header-XXXXXX";

// The tool installs no signal handler, so no call is interrupted; a full disk or a file size
// limit ends the writing.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = write(fd, bytes.data(), bytes.size());
        if (put <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// The folder of an absolute path, which realpath() gives, with its closing slash: "/" for a file
// at the root.
std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

} // namespace

bool InsertReadFile(const std::string& path, std::string& bytes) {
    std::FILE* const file = std::fopen(path.c_str(), "rb");
    // The caller has found the file readable a moment ago; only a race makes this fail.
    if (file == nullptr) { // GCOVR_EXCL_BR_LINE
        return false;      // GCOVR_EXCL_LINE
    }
    const bool read = CliReadStream(file, std::numeric_limits<std::size_t>::max(), bytes);
    std::fclose(file);
    return read;
}

bool InsertReplaceFile(const std::string& path, std::string_view bytes) {
    // The file was just read through this path: only a race makes it vanish or change its kind.
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
    const std::string folder = FolderOf(resolved);
    std::string tempPath = folder + TEMP_NAME;
    const int fd = mkstemp(tempPath.data());
    if (fd < 0) {
        return false;
    }
    // The owner can only be kept by a process allowed to give files away; otherwise the new
    // file is the writer's, as a file an editor saves would be.
    if (fchown(fd, target.st_uid, target.st_gid) != 0) {
        errno = 0; // not kept: no reason to stop
    }
    bool ok = WriteAll(fd, bytes);
    // fchmod() of the writer's own new file, fsync() and close() fail only for faults of the
    // disk; a full disk shows in WriteAll().
    ok = ok && fchmod(fd, target.st_mode & 07777) == 0 && fsync(fd) == 0; // GCOVR_EXCL_BR_LINE
    ok = close(fd) == 0 && ok;                                            // GCOVR_EXCL_BR_LINE
    ok = ok && std::rename(tempPath.c_str(), resolved.c_str()) == 0;
    if (!ok) {
        unlink(tempPath.c_str());
        return false;
    }
    // Makes the rename itself durable; a failure here cannot undo it, so it is not reported.
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // The folder was just written into, so it opens unless it is removed in between.
    if (folderFd >= 0) { // GCOVR_EXCL_BR_LINE
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}
