// Starts a program on the X display in $DISPLAY and reports how long it took until its first
// top-level window was mapped, the most memory it held, and the processor time it used:
// "map_ms=<ms> maxrss_kb=<kB> cpu_ms=<ms>".
// The map is seen as the X server's MapNotify on the root window, which arrives the moment the
// window is mapped, so the time needs no polling. After the map the program is left to paint
// for a while (--settle, in milliseconds) and is then ended; its peak resident set comes from
// the kernel's accounting of the ended child.
//
// Usage: map_probe [--settle MS] [--timeout MS] PROGRAM [ARGUMENTS...]

#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

using CClock = std::chrono::steady_clock;

// Time the program is left running after its window is mapped, so that its first paint and
// whatever it loads for it count towards its memory.
constexpr int DEFAULT_SETTLE_MS = 500;
// Longest wait for the window; a program that shows nothing by then has failed.
constexpr int DEFAULT_TIMEOUT_MS = 20000;

struct CProbeArgs {
    int m_nSettleMs = DEFAULT_SETTLE_MS;
    int m_nTimeoutMs = DEFAULT_TIMEOUT_MS;
    char** m_ppszProgram = nullptr;
};

bool ParseArgs(int argc, char** argv, CProbeArgs& args) {
    int i = 1;
    for (; i + 1 < argc && std::strncmp(argv[i], "--", 2) == 0; i += 2) {
        const int value = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--settle") == 0 && value >= 0) {
            args.m_nSettleMs = value;
        } else if (std::strcmp(argv[i], "--timeout") == 0 && value > 0) {
            args.m_nTimeoutMs = value;
        } else {
            return false;
        }
    }
    // A left-over option (one without its value, or misspelt) is no program.
    if (i >= argc || std::strncmp(argv[i], "--", 2) == 0) {
        return false;
    }
    args.m_ppszProgram = argv + i;
    return true;
}

struct CConnectionClose {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using CConnection = std::unique_ptr<xcb_connection_t, CConnectionClose>;

// Asks the server for every MapNotify of a child of the root window, that is of every top-level
// window. True once the server has taken the request.
bool WatchTopLevelMaps(xcb_connection_t* connection) {
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t cookie =
        xcb_change_window_attributes_checked(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_generic_error_t* error = xcb_request_check(connection, cookie);
    std::free(error);
    return error == nullptr;
}

// Time between looks at whether the program has already ended without a window.
constexpr int EXIT_CHECK_MS = 50;

// True when the child has ended; it is left to be reaped with its accounting.
bool HasEnded(pid_t child) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == child;
}

// Waits for the first top-level window that is not a popup (override-redirect) to be mapped.
// False when the time runs out, the program ends first or the connection breaks.
bool WaitForMap(xcb_connection_t* connection, pid_t child, CClock::time_point deadline) {
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool mapped =
                (event->response_type & ~0x80) == XCB_MAP_NOTIFY &&
                !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
            std::free(event);
            if (mapped) {
                return true;
            }
        }
        if (xcb_connection_has_error(connection) != 0) {
            return false;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - CClock::now());
        if (left.count() <= 0 || HasEnded(child)) {
            return false;
        }
        const int wait = static_cast<int>(std::min<long long>(left.count(), EXIT_CHECK_MS));
        if (poll(&fd, 1, wait) < 0 && errno != EINTR) {
            return false;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    CProbeArgs args;
    if (!ParseArgs(argc, argv, args)) {
        std::fprintf(stderr, "usage: map_probe [--settle MS] [--timeout MS] PROGRAM [ARGS...]\n");
        return 2;
    }
    CConnection connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get()) != 0 || !WatchTopLevelMaps(connection.get())) {
        std::fprintf(stderr, "map_probe: cannot watch the X display\n");
        return 2;
    }

    const CClock::time_point start = CClock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("map_probe: fork");
        return 2;
    }
    if (child == 0) {
        execvp(args.m_ppszProgram[0], args.m_ppszProgram);
        std::perror("map_probe: exec");
        _exit(127);
    }
    const bool mapped =
        WaitForMap(connection.get(), child, start + std::chrono::milliseconds(args.m_nTimeoutMs));
    const double mapMs = std::chrono::duration<double, std::milli>(CClock::now() - start).count();
    if (mapped) {
        usleep(static_cast<useconds_t>(args.m_nSettleMs) * 1000);
    }
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!mapped) {
        std::fprintf(stderr, "map_probe: %s showed no window\n", args.m_ppszProgram[0]);
        return 1;
    }
    // The processor time it used, start-up and first paint, is less at the mercy of other
    // programs on the machine than the time to the map.
    const double cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    std::printf("map_ms=%.3f maxrss_kb=%ld cpu_ms=%.3f\n", mapMs, usage.ru_maxrss, cpuMs);
    return 0;
}
