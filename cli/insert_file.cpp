#include "cli/insert_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file's name in the target's folder; mkstemp() fills in the Xs. Short and of
// its own, so that a long file name cannot make it too long.
constexpr const char* TEMP_NAME = ".veldane-header-XXXXXX";

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// The folder of an absolute path, which realpath() gives.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool InsertReadFile(const std::string& path, std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return file.is_open() && !file.bad();
}

bool InsertReplaceFile(const std::string& path, std::string_view bytes) {
    char* const found = realpath(path.c_str(), nullptr);
    if (found == nullptr) {
        return false;
    }
    const std::string resolved = found;
    std::free(found);
    struct stat target {};
    if (stat(resolved.c_str(), &target) != 0 || !S_ISREG(target.st_mode) ||
        access(resolved.c_str(), W_OK) != 0) {
        return false;
    }
    const std::string folder = FolderOf(resolved);
    std::string tempPath = folder + "/" + TEMP_NAME;
    const int fd = mkstemp(tempPath.data());
    if (fd < 0) {
        return false;
    }
    // The owner can only be kept by a process allowed to give files away; otherwise the new
    // file is the writer's, as a file an editor saves would be.
    if (fchown(fd, target.st_uid, target.st_gid) != 0) {
        errno = 0; // not kept: no reason to stop
    }
    bool ok = fchmod(fd, target.st_mode & 07777) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(tempPath.c_str(), resolved.c_str()) == 0;
    if (!ok) {
        unlink(tempPath.c_str());
        return false;
    }
    // Makes the rename itself durable; a failure here cannot undo it, so it is not reported.
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}
