#include "platform/file_write.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool PfWriteAll(int fd, std::string_view bytes) {
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

std::filesystem::path PfFolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

void PfSyncFolderOf(const std::string& path) {
    const int fd = open(PfFolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // The folder was just written into, so it opens unless it is removed in between.
    if (fd >= 0) { // GCOVR_EXCL_BR_LINE
        fsync(fd);
        close(fd);
    }
}
