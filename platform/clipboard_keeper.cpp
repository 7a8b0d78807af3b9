#include "platform/clipboard_keeper.h"

#include "platform/keeper/keeper_protocol.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Long enough for a keeper to reach the display and take the clipboard on a busy machine, short
// enough that one stuck on a display that does not answer hardly delays the program's end.
constexpr int KEEPER_HANDOFF_MS = 2000;

// Whatever a keeper writes is only read to notice its end; a small bite does.
constexpr std::size_t DISCARD_BYTES = 64;

using Clock = std::chrono::steady_clock;

// A clipboard manager takes the text from Qt's clipboard as the application object goes; a
// keeper would only compete with it.
bool HasClipboardManager(xcb_connection_t* pConnection) {
    const char szName[] = "CLIPBOARD_MANAGER";
    const auto cookie = xcb_intern_atom(pConnection, 1, sizeof szName - 1, szName);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(pConnection, cookie, nullptr), &std::free);
    // An atom nobody ever named: no manager has run on this display.
    if (atom == nullptr || atom->atom == XCB_ATOM_NONE) {
        return false;
    }
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(pConnection, xcb_get_selection_owner(pConnection, atom->atom),
                                      nullptr),
        &std::free);
    return owner != nullptr && owner->owner != XCB_NONE;
}

// The build tree has the keeper next to the executable; an installation in its libexec folder.
std::string KeeperPath() {
    const QString strDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString strName = QStringLiteral(VELDANE_KEEPER_NAME);
    for (const QString& strPath :
         {strDir + strName, strDir + QStringLiteral(VELDANE_KEEPER_FROM_BIN "/") + strName}) {
        if (QFileInfo(strPath).isExecutable()) {
            // Without "bin/..", so that process listings show where it really lies.
            return QFile::encodeName(QDir::cleanPath(strPath)).toStdString();
        }
    }
    return std::string();
}

// Waits until fd is ready for `nEvents` or the deadline passes; false on the deadline.
bool PollUntil(int fd, short nEvents, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd pfd = {fd, nEvents, 0};
        const int n = poll(&pfd, 1, static_cast<int>(left.count()));
        if (n > 0) {
            return true;
        }
        if (n < 0 && errno != EINTR) {
            return false;
        }
    }
}

// The whole text, or false: a keeper that ends or stops reading must neither raise SIGPIPE here
// nor block the program's end past the deadline.
bool SendAll(int fd, std::string_view data, Clock::time_point deadline) {
    while (!data.empty()) {
        if (!PollUntil(fd, POLLOUT, deadline)) {
            return false;
        }
        const ssize_t n = send(fd, data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno != EINTR && errno != EAGAIN) {
            return false;
        }
        data.remove_prefix(n > 0 ? static_cast<std::size_t>(n) : 0);
    }
    return true;
}

// The keeper's end of the socket closes once its first process has ended and the serving one
// has let go of its input.
bool WaitForClose(int fd, Clock::time_point deadline) {
    char aDiscard[DISCARD_BYTES];
    while (PollUntil(fd, POLLIN, deadline)) {
        const ssize_t n = read(fd, aDiscard, sizeof aDiscard);
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
            return true;
        }
    }
    return false;
}

// posix_spawn with exec: this process runs threads and must never fork itself. The child gets the
// default signal handling and mask whatever this process set up, the socket as its input and
// nothing else open but /dev/null.
int SpawnKeeper(const std::string& strProgram, int fdInput, pid_t* pPid) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fdInput, STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    char* argv[] = {const_cast<char*>(strProgram.c_str()), nullptr};
    const int nResult = posix_spawn(pPid, strProgram.c_str(), &actions, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    return nResult;
}

} // namespace

int PfKeepClipboard() {
    auto* pX11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                    : nullptr;
    if (pX11 == nullptr) {
        return KEEP_NOT_NEEDED;
    }
    QClipboard* pClipboard = QGuiApplication::clipboard();
    if (!pClipboard->ownsClipboard()) {
        return KEEP_NOT_NEEDED;
    }
    const QByteArray utf8 = pClipboard->text().toUtf8();
    if (utf8.isEmpty() || HasClipboardManager(pX11->connection())) {
        return KEEP_NOT_NEEDED;
    }
    const std::string strProgram = KeeperPath();
    if (strProgram.empty()) {
        return KEEP_FAILED;
    }
    return PfStartKeeper(strProgram, std::string_view(utf8.constData(), utf8.size()),
                         KEEPER_HANDOFF_MS);
}

int PfStartKeeper(const std::string& strProgram, std::string_view utf8, int nWaitMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(nWaitMs);
    int aFds[2];
    // A socket rather than a pipe: MSG_NOSIGNAL keeps a keeper that stops reading from raising
    // SIGPIPE in this process.
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, aFds) != 0) {
        return KEEP_FAILED;
    }
    pid_t pid = 0;
    const int nSpawned = SpawnKeeper(strProgram, aFds[1], &pid);
    close(aFds[1]);
    if (nSpawned != 0) {
        close(aFds[0]);
        return KEEP_FAILED;
    }
    const bool bSent = SendAll(aFds[0], utf8, deadline);
    shutdown(aFds[0], SHUT_WR);
    const bool bEnded = bSent && WaitForClose(aFds[0], deadline);
    close(aFds[0]);
    if (!bEnded) {
        kill(pid, SIGKILL);
    }
    int nStatus = 0;
    while (waitpid(pid, &nStatus, 0) < 0 && errno == EINTR) {
    }
    const bool bServing = bEnded && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == KEEPER_SERVING;
    return bServing ? KEEP_SERVING : KEEP_FAILED;
}
