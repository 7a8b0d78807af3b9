#include "platform/file_read.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Bytes read per call; a file is read whole, in pieces of this size.
constexpr std::size_t READ_CHUNK = 64 * 1024;

} // namespace

int PfReadFile(const std::string& path, std::string& bytes) {
    // Without O_NONBLOCK a FIFO would block the opening until some other program writes to it.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno == ENOENT ? PF_READ_MISSING : PF_READ_FAILED;
    }
    struct stat st {};
    // fstat() of an open descriptor fails only for a fault of the kernel.
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) { // GCOVR_EXCL_BR_LINE
        close(fd);
        return PF_READ_FAILED;
    }
    std::string data;
    char chunk[READ_CHUNK];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        // Only a signal handler, which neither program nor the tests install, interrupts a call.
        if (got < 0 && errno == EINTR) { // GCOVR_EXCL_BR_LINE
            continue;                    // GCOVR_EXCL_LINE
        }
        if (got < 0) {
            close(fd);
            return PF_READ_FAILED;
        }
        if (got == 0) {
            break;
        }
        data.append(chunk, static_cast<std::size_t>(got));
    }
    close(fd);
    bytes = std::move(data);
    return PF_READ_DONE;
}
