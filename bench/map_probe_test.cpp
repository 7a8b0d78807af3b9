#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

extern char** environ;

namespace {

// The rows give the probe a minute; one that took this long waited for the timeout instead of
// seeing that no window will come. It leaves room for a loaded machine.
constexpr double PROBE_HANG_SECONDS = 10;

struct CProbeResult {
    int m_nExit = -1;
    std::string m_strOutput;
    double m_dSeconds = 0;
};

// A private X server for the probe to watch, started once for the suite.
class CMapProbe : public testing::Test {
protected:
    static void SetUpTestSuite() {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        // -displayfd makes the server pick a free display and write its number to the pipe;
        // -noreset keeps it from starting over (and refusing connections meanwhile) each time
        // its last client leaves.
        const std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-nolisten",
                              "tcp",  "-noreset",   nullptr};
        if (posix_spawnp(&s_xvfb, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) !=
            0) {
            s_xvfb = 0;
        }
        close(fds[1]);
        // The number may come in more than one write; it ends with a line feed.
        std::string number;
        char byte = 0;
        while (read(fds[0], &byte, 1) == 1 && byte != '\n') {
            number += byte;
        }
        close(fds[0]);
        if (!number.empty()) {
            s_strDisplay = ":" + number;
        }
    }
    static void TearDownTestSuite() {
        if (s_xvfb > 0) {
            kill(s_xvfb, SIGTERM);
            waitpid(s_xvfb, nullptr, 0);
        }
    }
    void SetUp() override {
        if (s_strDisplay.empty()) {
            GTEST_SKIP() << "no Xvfb to run the probe against";
        }
    }

    static CProbeResult Probe(const std::string& arguments, bool withDisplay = true) {
        const std::string command = (withDisplay ? "DISPLAY=" + s_strDisplay : "unset DISPLAY;") +
                                    " " MAP_PROBE_PATH " " + arguments + " 2>/dev/null";
        const auto start = std::chrono::steady_clock::now();
        CProbeResult result;
        FILE* pipe = popen(command.c_str(), "r");
        std::array<char, 256> buffer{};
        while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
            result.m_strOutput += buffer.data();
        }
        const int status = pclose(pipe);
        result.m_nExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.m_dSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return result;
    }

    static inline pid_t s_xvfb = 0;
    static inline std::string s_strDisplay;
};

TEST_F(CMapProbe, ReportsTheMapAndPeakMemoryOfADialog) {
    const CProbeResult result = Probe("--settle 0 " MIN_DIALOG_PATH " --empty");
    ASSERT_EQ(result.m_nExit, 0) << result.m_strOutput;
    double mapMs = 0;
    long maxRssKb = 0;
    ASSERT_EQ(
        std::sscanf(result.m_strOutput.c_str(), "map_ms=%lf maxrss_kb=%ld", &mapMs, &maxRssKb), 2)
        << result.m_strOutput;
    EXPECT_GT(mapMs, 0);
    // A Qt program holds megabytes; kilobytes would be the memory of some other process.
    EXPECT_GT(maxRssKb, 4096);
}

TEST_F(CMapProbe, FailsWithoutWaitingWhenNoWindowComes) {
    struct CRow {
        const char* name;
        std::string arguments;
    };
    const CRow rows[] = {
        {"program ends at once", "--timeout 60000 /bin/true"},
        {"program cannot be started", "--timeout 60000 /nonexistent/program"},
        {"program shows nothing in time", "--timeout 300 /bin/sleep 30"},
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.name);
        const CProbeResult result = Probe(row.arguments);
        EXPECT_EQ(result.m_nExit, 1);
        EXPECT_EQ(result.m_strOutput, "");
        EXPECT_LT(result.m_dSeconds, PROBE_HANG_SECONDS);
    }
}

TEST_F(CMapProbe, RefusesToRunWithoutProgramOrDisplay) {
    EXPECT_EQ(Probe("--settle 0").m_nExit, 2);
    EXPECT_EQ(Probe("--settle").m_nExit, 2);
    EXPECT_EQ(Probe("--speed 3 /bin/true").m_nExit, 2);
    EXPECT_EQ(Probe("/bin/true", false).m_nExit, 2);
}

} // namespace
