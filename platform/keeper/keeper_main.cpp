// The clipboard keeper: started by the window as it closes, when the X11 clipboard still holds
// the window's text and no clipboard manager will take it. It keeps serving that text on a
// display connection of its own until another program takes the clipboard or the display goes,
// detached from whatever started the window.
#include "platform/keeper/keeper_protocol.h"
#include "platform/keeper/selection_owner.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

// The input arrives through a socket buffer anyway; a page per read keeps the calls few.
constexpr std::size_t READ_CHUNK_BYTES = 4096;

// Reads the whole input; false when it is empty, unreadable or longer than can be kept.
bool ReadText(int fd, std::string* pText) {
    char aChunk[READ_CHUNK_BYTES];
    for (;;) {
        const ssize_t n = read(fd, aChunk, sizeof aChunk);
        if (n == 0) {
            return !pText->empty();
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (pText->size() + static_cast<std::size_t>(n) > KEEPER_MAX_TEXT_BYTES) {
            return false;
        }
        pText->append(aChunk, static_cast<std::size_t>(n));
    }
}

// Files the window's process left open (a terminal, a log, a socket) would stay open as long as
// the keeper lives, and a reader waiting for their end would wait that long.
void CloseInheritedFiles() {
    if (close_range(STDERR_FILENO + 1, ~0U, 0) != 0) {
        const long nMax = sysconf(_SC_OPEN_MAX);
        for (long fd = STDERR_FILENO + 1; fd < nMax; ++fd) {
            close(static_cast<int>(fd));
        }
    }
}

// A session of its own and no terminal: closing the terminal the window was started from sends
// it no hangup, and the standard files no longer tie it to the terminal or to a pipe.
void Detach() {
    setsid();
    const int fdNull = open("/dev/null", O_RDWR);
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fdNull >= 0) {
            dup2(fdNull, fd);
        } else {
            close(fd);
        }
    }
    if (fdNull > STDERR_FILENO) {
        close(fdNull);
    }
    // The folder it was started in can then be removed or unmounted; failing that, the keeper
    // only keeps it busy.
    if (chdir("/") != 0) {
        return;
    }
}

} // namespace

int main() {
    // A display that goes away then shows as a broken connection, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    CloseInheritedFiles();

    std::string strText;
    if (!ReadText(STDIN_FILENO, &strText)) {
        return KEEPER_BAD_TEXT;
    }
    CSelectionOwner owner(std::move(strText));
    const int nTaken = owner.Take();
    if (nTaken != KEEPER_SERVING) {
        return nTaken;
    }
    // The first process reports that the clipboard is served and ends, so the window's process
    // reaps it at once and never leaves a zombie; the server goes on as an orphan that init reaps.
    // This program runs no threads, so the child may go on after fork().
    const pid_t pid = fork();
    if (pid < 0) {
        return KEEPER_NO_PROCESS;
    }
    if (pid > 0) {
        // The connection is the child's now: nothing of it is flushed or closed here.
        _exit(KEEPER_SERVING);
    }
    Detach();
    owner.Serve();
    return 0;
}
