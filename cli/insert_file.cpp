#include "cli/insert_file.h"

#include "cli/text_io.h"
#include "platform/file_write.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file's name in the target's folder; mkstemp() fills in the Xs. Short and of
// its own, so that a long file name cannot make it too long.
constexpr const char* TEMP_NAME = ".veldane-header-XXXXXX";

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
    std::string tempPath = std::filesystem::path(resolved).replace_filename(TEMP_NAME).string();
    const int fd = mkstemp(tempPath.data());
    if (fd < 0) {
        return false;
    }
    // The owner can only be kept by a process allowed to give files away; otherwise the new
    // file is the writer's, as a file an editor saves would be.
    if (fchown(fd, target.st_uid, target.st_gid) != 0) {
        errno = 0; // not kept: no reason to stop
    }
    bool ok = PfWriteAll(fd, bytes);
    // fchmod() of the writer's own new file, fsync() and close() fail only for faults of the
    // disk; a full disk shows in PfWriteAll().
    ok = ok && fchmod(fd, target.st_mode & 07777) == 0 && fsync(fd) == 0; // GCOVR_EXCL_BR_LINE
    ok = close(fd) == 0 && ok;                                            // GCOVR_EXCL_BR_LINE
    ok = ok && std::rename(tempPath.c_str(), resolved.c_str()) == 0;
    if (!ok) {
        unlink(tempPath.c_str());
        return false;
    }
    PfSyncFolderOf(resolved);
    return true;
}
