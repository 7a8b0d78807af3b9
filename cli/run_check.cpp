#include "cli/exit_status.h"
#include "cli/format_check.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/runs.h"
#include "cli/text_io.h"

#include <cstdio>
#include <string>

int RunCheck(const CliOptions& options) {
    std::string text;
    if (CheckReadFile(options.m_strCheckPath.c_str(), text) != 0) {
        std::fprintf(stderr, "veldane-header: %s: %s\n", options.m_strCheckPath.c_str(),
                     MSG_CHECK_UNREADABLE);
        return EXIT_FORMAT_FAULTY;
    }
    const std::vector<CheckFinding> findings = CheckFormatText(text);
    // "FILE:LINE: message", the form editors know how to jump to.
    std::string report;
    for (const CheckFinding& finding : findings) {
        report += options.m_strCheckPath + ":" + std::to_string(finding.m_nLine) + ": " +
                  CheckDescribe(finding) + "\n";
    }
    if (!CliWriteStream(stdout, report)) {
        std::fprintf(stderr, "veldane-header: %s\n", MSG_WRITE_ERROR);
        return EXIT_IO;
    }
    return findings.empty() ? EXIT_DONE : EXIT_FINDINGS;
}
