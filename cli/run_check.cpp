#include "cli/exit_status.h"
#include "cli/file_problem.h"
#include "cli/format_check.h"
#include "cli/options.h"
#include "cli/report.h"
#include "cli/runs.h"
#include "cli/text_io.h"
#include "header/messages.h"

#include <cstdio>
#include <string>

int RunCheck(const CliOptions& options) {
    const std::string& path = options.m_strCheckPath;
    const CliFileProblem problem = CliFindFileProblem(path);
    if (problem != FILE_OK) {
        return CliFailFile(EXIT_FORMAT_FAULTY, problem, path, MSG_NOUN_FORMAT_FILE);
    }
    std::string text;
    // A file that opens but whose reading fails (a failing disk, a special file).
    if (CheckReadFile(path.c_str(), text) != 0) {
        return CliFailFile(EXIT_FORMAT_FAULTY, FILE_UNREADABLE, path, MSG_NOUN_FORMAT_FILE);
    }
    const std::vector<CheckFinding> findings = CheckFormatText(text);
    // "FILE:LINE: message", the form editors know how to jump to.
    std::string report;
    for (const CheckFinding& finding : findings) {
        report +=
            path + ":" + std::to_string(finding.m_nLine) + ": " + CheckDescribe(finding) + "\n";
    }
    if (!CliWriteStream(stdout, report)) {
        return CliFail(EXIT_IO, "%s", MSG_WRITE_ERROR);
    }
    return findings.empty() ? EXIT_DONE : EXIT_FINDINGS;
}
