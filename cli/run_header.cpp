#include "cli/exit_status.h"
#include "cli/header_values.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/runs.h"
#include "cli/text_io.h"
#include "platform/settings_file.h"
#include "platform/settings_location.h"

#include <cstdio>
#include <string>

namespace {

// The window keeps the format file's path in 1024 bytes and treats a longer stored path as no
// format file; the same stored path means the same here.
constexpr std::size_t STORED_PATH_MAX = 1023;
// Bytes of a declaration read at most: every byte kept after the conversion to code page 932
// comes from at most four bytes of input, and a character cut off by this read lies beyond
// the PASTE_TEXT_MAX bytes kept.
constexpr std::size_t DECL_READ_LIMIT = 4 * PASTE_TEXT_MAX + 4;

int Fail(const char* message, int status) {
    std::fprintf(stderr, "veldane-header: %s\n", message);
    return status;
}

std::string FormatPath(const CliOptions& options, const CSettingsFile& settings) {
    if (options.m_bHasFormat) {
        return options.m_strFormatPath;
    }
    std::string stored = settings.GetRaw(SETTINGS_SECTION, SETTINGS_KEY_FILE_PATH, "");
    return stored.size() > STORED_PATH_MAX ? std::string() : stored;
}

// 0 with the declaration as code page 932, or the exit status.
int ReadDeclaration(const CliOptions& options, std::string& declaration) {
    std::string input = options.m_strDeclaration.substr(0, DECL_READ_LIMIT);
    if (!options.m_bHasDeclaration && !CliReadStream(stdin, DECL_READ_LIMIT, input)) {
        return Fail(MSG_READ_ERROR, EXIT_IO);
    }
    declaration = CliToCp932(input, options.m_eEncoding);
    return EXIT_DONE;
}

void SetOptionValues(const CliOptions& options, const CSettingsFile& settings,
                     CHeaderValues& values) {
    const CliEncoding encoding = options.m_eEncoding;
    values.Set("TITLE", CliToCp932(options.m_strTitle, encoding));
    values.Set("DEVELOPER", options.m_bHasDeveloper
                                ? CliToCp932(options.m_strDeveloper, encoding)
                                : settings.GetString(SETTINGS_SECTION, SETTINGS_KEY_DEVELOP, ""));
    values.Set("DATE",
               options.m_bHasDate ? CliToCp932(options.m_strDate, encoding) : HeaderToday());
    values.Set("RET_TEXT", CliToCp932(options.m_strRetText, encoding));
    for (int row = 1; row <= HEADER_ARG_ROWS; ++row) {
        const std::string key = "ARG_" + std::to_string(row) + "_TEXT";
        values.Set(key.c_str(), CliToCp932(options.m_astrArgText[row - 1], encoding));
    }
}

} // namespace

int RunHeader(const CliOptions& options) {
    // The window's settings, found by the window's rule; this tool only reads them.
    const CSettingsFile settings(SettingsLocateHere().strPath);
    // As in the window, nothing else is looked at while there is no format file.
    const std::string formatPath = FormatPath(options, settings);
    if (formatPath.empty()) {
        return Fail(MSG_SELECT_FORMAT, EXIT_FORMAT_MISSING);
    }

    std::string declaration;
    const int read = ReadDeclaration(options, declaration);
    if (read != EXIT_DONE) {
        return read;
    }
    CHeaderValues values;
    int argCount = 0;
    // Memory runs out in no run of the tool that a test can start; the library's tests refuse
    // it to SetDeclaration.
    switch (values.SetDeclaration(declaration, argCount)) { // GCOVR_EXCL_BR_LINE
    case DECL_BUFFER_ERROR:                                 // GCOVR_EXCL_LINE
        return Fail(MSG_BUFFER_ERROR, EXIT_BUFFER);         // GCOVR_EXCL_LINE
    case DECL_SYNTAX_ERROR:
        return Fail(MSG_SYNTAX_ERROR, EXIT_SYNTAX);
    case DECL_NO_MEMORY:                         // GCOVR_EXCL_LINE
        return Fail(MSG_NO_MEMORY, EXIT_BUFFER); // GCOVR_EXCL_LINE
    default:
        break;
    }
    if (argCount > HEADER_ARG_ROWS) {
        std::fprintf(stderr, "veldane-header: %s\n", MSG_SIX_ROWS_WRITTEN);
    }
    SetOptionValues(options, settings, values);

    std::string comment;
    if (values.Expand(formatPath.c_str(), comment) != 0) {
        return Fail(MSG_FORMAT_FAULTY, EXIT_FORMAT_FAULTY);
    }
    if (!CliWriteStream(stdout, CliFromCp932(comment, options.m_eEncoding, options.m_bCrlf))) {
        return Fail(MSG_WRITE_ERROR, EXIT_IO);
    }
    return EXIT_DONE;
}
