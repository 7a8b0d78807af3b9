#include "cli/comment_make.h"

#include "cli/exit_status.h"
#include "cli/file_problem.h"
#include "cli/options.h"
#include "cli/report.h"
#include "cli/text_io.h"
#include "format/format_read.h"
#include "header/box_text.h"
#include "header/format_file.h"
#include "header/header_date.h"
#include "header/header_values.h"
#include "header/messages.h"
#include "header/settings_rule.h"
#include "platform/settings_file.h"

#include <cstdio>
#include <vector>

namespace {

// The texts of the options (code page 932), each with the key it goes under; the author and the
// date not given come as the window fills them.
void SetOptionValues(const CliOptions& options, const CSettingsFile& settings,
                     CHeaderValues& values) {
    values.Set(HeaderKeyIndex(HeaderKey::Title), options.m_strTitle);
    values.Set(HeaderKeyIndex(HeaderKey::Developer), options.m_strDeveloper);
    values.Set(HeaderKeyIndex(HeaderKey::Date), options.m_strDate);
    values.Set(HeaderKeyIndex(HeaderKey::RetText), options.m_strRetText);
    for (int row = 1; row <= HEADER_ARG_ROWS; ++row) {
        values.Set(HeaderArgKeyIndex(row, ArgPart::Text), options.m_astrArgText[row - 1]);
    }
    if (!options.m_bHasDeveloper) {
        values.Set(HeaderKeyIndex(HeaderKey::Developer),
                   settings.GetString(SETTINGS_SECTION, SETTINGS_KEY_DEVELOP, ""));
    }
    if (!options.m_bHasDate) {
        values.Set(HeaderKeyIndex(HeaderKey::Date), HeaderToday());
    }
}

} // namespace

int CliFindFormat(const CliOptions& options, const CSettingsFile& settings,
                  std::string& formatPath) {
    formatPath = options.m_strFormatPath;
    if (!options.m_bHasFormat) {
        formatPath = settings.GetRaw(SETTINGS_SECTION, SETTINGS_KEY_FILE_PATH, "");
        // A stored path too long for the window is no format file there, and none here.
        formatPath = HeaderPathFits(formatPath) ? formatPath : std::string();
    }
    if (formatPath.empty()) {
        return CliFail(EXIT_FORMAT_MISSING, MSG_NO_FORMAT, settings.Path().c_str(),
                       SETTINGS_SECTION, SETTINGS_KEY_FILE_PATH);
    }
    return CliCheckFormat(formatPath);
}

int CliCheckFormat(const std::string& formatPath) {
    const CliFileProblem problem = CliFindFileProblem(formatPath);
    if (problem != FILE_OK) {
        return CliFailFile(EXIT_FORMAT_FAULTY, problem, formatPath, MSG_NOUN_FORMAT_FILE);
    }
    // Refused before anything is written: binary bytes would land in the comment.
    if (HeaderFormatFileKind(formatPath.c_str()) == FormatFileKind::NotText) {
        return CliFail(EXIT_FORMAT_FAULTY, MSG_FILE_NOT_TEXT, formatPath.c_str(),
                       MSG_NOUN_FORMAT_FILE);
    }
    return EXIT_DONE;
}

CAnalysisChoice CliAnalysisChoice(const CliOptions& options, const CSettingsFile& settings) {
    CAnalysisChoice choice =
        HeaderAnalysisChoice(settings.GetString(SETTINGS_SECTION, SETTINGS_KEY_TIDY, ""),
                             settings.GetString(SETTINGS_SECTION, SETTINGS_KEY_TIDY_DROP, ""));
    if (options.m_eTidy != CliTidy::Settings) {
        choice.m_bTidy = options.m_eTidy == CliTidy::On;
    }
    return choice;
}

int CliDecodeDeclaration(std::string_view text, CliEncoding encoding, bool cutShort,
                         std::string& cp932) {
    if (!CliIsText(text, encoding, cutShort)) {
        const CliEncoding other = CliOtherEncoding(encoding);
        if (!CliIsText(text, other, cutShort)) {
            return CliFail(EXIT_ENCODING, "%s", MSG_DECLARATION_NEITHER);
        }
        return CliFail(EXIT_ENCODING, MSG_DECLARATION_ENCODING, CliEncodingName(encoding),
                       CliEncodingName(other));
    }
    CliNoteChangedCharacters(MSG_NOUN_DECLARATION, text, encoding);
    cp932 = CliToCp932(text, encoding);
    return EXIT_DONE;
}

int CliMakeComment(const CliOptions& options, const CSettingsFile& settings,
                   const std::string& formatPath, const CliDeclaration& declaration,
                   std::string& comment) {
    const char* where = declaration.m_strWhere.c_str();
    const std::string_view pasted = declaration.m_strCp932;
    if (pasted.size() > PASTE_TEXT_MAX) {
        std::fprintf(stderr, "veldane-header: %s%s\n", where,
                     CliPrintf(MSG_DECLARATION_CUT, PASTE_TEXT_MAX).c_str());
    }
    const CAnalysisChoice choice = CliAnalysisChoice(options, settings);
    std::string cleaned;
    if (HeaderCleanPaste(pasted, cleaned, choice.m_bTidy) != PasteResult::Done) {
        return CliFail(EXIT_BUFFER, "%s%s", where, MSG_BUFFER_ERROR);
    }
    const std::string box = HeaderBoxText(cleaned);
    if (box.find_first_not_of(' ') == std::string::npos) {
        return CliFail(EXIT_SYNTAX, "%s%s", where, MSG_EMPTY_DECLARATION);
    }
    CHeaderAnalysis analysis;
    if (const AnalyzeResult analysed = analysis.Analyze(box, choice);
        analysed != AnalyzeResult::Done) {
        const int status = analysed == AnalyzeResult::NoMemory ? EXIT_BUFFER : EXIT_SYNTAX;
        return CliFail(status, "%s%s", where, HeaderAnalyzeMessage(analysed));
    }
    // The window asks whether to fill the six rows; here the answer is always yes.
    if (analysis.ArgCount() > HEADER_ARG_ROWS) {
        std::fprintf(stderr, "veldane-header: %s%s\n", where, MSG_SIX_ROWS_WRITTEN);
    }
    CHeaderValues values;
    values.Set(analysis.BoxValues(HEADER_ARG_ROWS));
    SetOptionValues(options, settings, values);
    // A description written after a parameter fills only a row no --arg-text gave.
    for (int row = 1; row <= HEADER_ARG_ROWS; ++row) {
        if (!options.m_abHasArgText[row - 1]) {
            values.Set(HeaderArgKeyIndex(row, ArgPart::Text), analysis.ArgComment(row));
        }
    }
    CFormatText format;
    if (format.Load(formatPath.c_str()) != 0) {
        return CliFailFile(EXIT_FORMAT_FAULTY, FILE_UNREADABLE, formatPath, MSG_NOUN_FORMAT_FILE);
    }
    if (values.Expand(format, comment) != HeaderExpandResult::Done) {
        return CliFail(EXIT_BUFFER, "%s%s", where, MSG_NO_MEMORY);
    }
    return EXIT_DONE;
}
