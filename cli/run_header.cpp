#include "cli/comment_make.h"
#include "cli/exit_status.h"
#include "cli/options.h"
#include "cli/report.h"
#include "cli/runs.h"
#include "cli/text_io.h"
#include "header/box_text.h"
#include "header/messages.h"
#include "platform/settings_file.h"
#include "platform/settings_location.h"

#include <cstdio>
#include <string>

namespace {

// Bytes of a declaration read from standard input at most: every byte kept after the conversion
// to code page 932 comes from at most four bytes of input, and a character cut off by this read
// lies beyond the PASTE_TEXT_MAX bytes kept.
constexpr std::size_t DECL_READ_LIMIT = 4 * PASTE_TEXT_MAX + 4;

// The declaration from the argument (already code page 932) or standard input; the comment on
// standard output.
int PrintComment(const CliOptions& options, const CSettingsFile& settings,
                 const std::string& formatPath) {
    std::string declaration = options.m_strDeclaration;
    if (!options.m_bHasDeclaration) {
        std::string input;
        if (!CliReadStream(stdin, DECL_READ_LIMIT, input)) {
            return CliFail(EXIT_IO, "%s", MSG_READ_ERROR);
        }
        const bool cutShort = input.size() == DECL_READ_LIMIT;
        if (const int decoded =
                CliDecodeDeclaration(input, options.m_eEncoding, cutShort, declaration);
            decoded != EXIT_DONE) {
            return decoded;
        }
    }
    std::string comment;
    const int made = CliMakeComment(options, settings, formatPath, {declaration, ""}, comment);
    if (made != EXIT_DONE) {
        return made;
    }
    if (!CliWriteStream(stdout, CliFromCp932(comment, options.m_eEncoding, options.m_bCrlf))) {
        return CliFail(EXIT_IO, "%s", MSG_WRITE_ERROR);
    }
    return EXIT_DONE;
}

} // namespace

int RunHeader(const CliOptions& options) {
    // The window's settings, found by the window's rule; this tool only reads them.
    const CSettingsFile settings(SettingsLocateHere().strPath);
    // As in the window, nothing else is looked at while there is no format file.
    std::string formatPath;
    if (const int found = CliFindFormat(options, settings, formatPath); found != EXIT_DONE) {
        return found;
    }
    return options.m_eMode == CliMode::Print ? PrintComment(options, settings, formatPath)
                                             : RunFiles(options, settings, formatPath);
}
