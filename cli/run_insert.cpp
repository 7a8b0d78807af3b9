#include "cli/comment_make.h"
#include "cli/exit_status.h"
#include "cli/file_edits.h"
#include "cli/file_problem.h"
#include "cli/insert_place.h"
#include "cli/options.h"
#include "cli/report.h"
#include "cli/runs.h"
#include "cli/text_io.h"
#include "header/messages.h"
#include "platform/file_read.h"
#include "platform/file_write.h"

#include <cstdio>
#include <string>

int RunInsert(const CliOptions& options, const CSettingsFile& settings,
              const std::string& formatPath) {
    const std::string& path = options.m_vecFiles.front();
    const CliEncoding encoding = options.m_eEncoding;
    const CliFileProblem problem = CliFindFileProblem(path);
    if (problem != FILE_OK) {
        return CliFailFile(EXIT_INSERT_FILE, problem, path, MSG_NOUN_FILE);
    }
    std::string file;
    if (PfReadFile(path, file) != PF_READ_DONE) {
        return CliFailFile(EXIT_INSERT_FILE, FILE_UNREADABLE, path, MSG_NOUN_FILE);
    }
    if (const int checked = CliCheckFileText(path, file, encoding); checked != EXIT_DONE) {
        return checked;
    }
    InsertPlace place{};
    if (InsertFindPlace(file, options.m_nLine, encoding, place) != 0) {
        return CliFail(EXIT_INSERT_FILE, MSG_NO_SUCH_LINE, path.c_str(), options.m_nLine,
                       InsertLineCount(file));
    }

    const std::string_view declaration =
        std::string_view(file).substr(place.m_nDeclStart, place.m_nDeclEnd - place.m_nDeclStart);
    const std::string where = path + ":" + std::to_string(options.m_nLine) + ": ";
    // The file is text in its encoding throughout; only characters code page 932 lacks change.
    CliNoteChangedCharacters(where + MSG_NOUN_DECLARATION, declaration, encoding);
    const std::string cp932 = CliToCp932(declaration, encoding);
    std::string comment;
    const int made = CliMakeComment(options, settings, formatPath, {cp932, where}, comment);
    if (made != EXIT_DONE) {
        return made;
    }
    // As on standard output, an empty expansion writes nothing.
    if (comment.empty()) {
        return EXIT_DONE;
    }
    const std::vector<CLineEdit> edits = {
        InsertEdit(file, place, CliFromCp932(comment, encoding, false))};
    if (options.m_bDryRun) {
        const std::string diff = EditsDiff(path, file, edits);
        return CliWriteStream(stdout, diff) ? EXIT_DONE : CliFail(EXIT_IO, "%s", MSG_WRITE_ERROR);
    }
    if (!PfReplaceFile(path, EditsApply(file, edits))) {
        return CliFail(EXIT_INSERT_FILE, MSG_FILE_UNWRITABLE, path.c_str());
    }
    return EXIT_DONE;
}
