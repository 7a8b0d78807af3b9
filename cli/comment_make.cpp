#include "cli/comment_make.h"

#include "cli/exit_status.h"
#include "cli/file_problem.h"
#include "cli/options.h"
#include "cli/report.h"
#include "cli/text_io.h"
#include "header/box_text.h"
#include "header/header_date.h"
#include "header/header_values.h"
#include "header/messages.h"
#include "header/settings_rule.h"
#include "platform/settings_file.h"

#include <cstdio>
#include <vector>

namespace {

// A text option, as it is named in the messages, and the key its text goes under.
struct OptionText {
    const char* m_pszName;
    const std::string& m_strText;
    int m_nKey;
};

std::vector<OptionText> OptionTexts(const CliOptions& options) {
    std::vector<OptionText> texts = {
        {"-t", options.m_strTitle, HeaderKeyIndex(HeaderKey::Title)},
        {"-d", options.m_strDeveloper, HeaderKeyIndex(HeaderKey::Developer)},
        {"--date", options.m_strDate, HeaderKeyIndex(HeaderKey::Date)},
        {"--ret-text", options.m_strRetText, HeaderKeyIndex(HeaderKey::RetText)},
    };
    for (int row = 1; row <= HEADER_ARG_ROWS; ++row) {
        texts.push_back(
            {"--arg-text", options.m_astrArgText[row - 1], HeaderArgKeyIndex(row, ArgPart::Text)});
    }
    return texts;
}

// The texts of the options; the author and the date not given come as the window fills them.
void SetOptionValues(const CliOptions& options, const CSettingsFile& settings,
                     CHeaderValues& values) {
    for (const OptionText& text : OptionTexts(options)) {
        values.Set(text.m_nKey, CliToCp932(text.m_strText, options.m_eEncoding));
    }
    if (!options.m_bHasDeveloper) {
        values.Set(HeaderKeyIndex(HeaderKey::Developer),
                   settings.GetString(SETTINGS_SECTION, SETTINGS_KEY_DEVELOP, ""));
    }
    if (!options.m_bHasDate) {
        values.Set(HeaderKeyIndex(HeaderKey::Date), HeaderToday());
    }
}

// EXIT_DONE when the declaration and every option text are text in the chosen encoding.
int CheckEncoding(const CliOptions& options, const CliDeclaration& declaration) {
    const CliEncoding encoding = options.m_eEncoding;
    const char* given = CliEncodingName(encoding);
    const char* other = CliEncodingName(CliOtherEncoding(encoding));
    if (!CliIsText(declaration.m_strText, encoding, declaration.m_bCutShort)) {
        return CliFail(EXIT_ENCODING, "%s%s", declaration.m_strWhere.c_str(),
                       CliPrintf(MSG_DECLARATION_ENCODING, given, other).c_str());
    }
    for (const OptionText& text : OptionTexts(options)) {
        if (!CliIsText(text.m_strText, encoding)) {
            return CliFail(EXIT_ENCODING, MSG_OPTION_ENCODING, text.m_pszName, given, other);
        }
    }
    return EXIT_DONE;
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
    const CliFileProblem problem = CliFindFileProblem(formatPath);
    if (problem != FILE_OK) {
        return CliFailFile(EXIT_FORMAT_FAULTY, problem, formatPath, MSG_NOUN_FORMAT_FILE);
    }
    return EXIT_DONE;
}

int CliMakeComment(const CliOptions& options, const CSettingsFile& settings,
                   const std::string& formatPath, const CliDeclaration& declaration,
                   std::string& comment) {
    if (const int checked = CheckEncoding(options, declaration); checked != EXIT_DONE) {
        return checked;
    }
    const char* where = declaration.m_strWhere.c_str();
    const std::string pasted = CliToCp932(declaration.m_strText, options.m_eEncoding);
    if (pasted.size() > PASTE_TEXT_MAX) {
        std::fprintf(stderr, "veldane-header: %s%s\n", where,
                     CliPrintf(MSG_DECLARATION_CUT, PASTE_TEXT_MAX).c_str());
    }
    std::string cleaned;
    if (HeaderCleanPaste(pasted, cleaned) != PasteResult::Done) {
        return CliFail(EXIT_BUFFER, "%s%s", where, MSG_BUFFER_ERROR);
    }
    const std::string box = HeaderBoxText(cleaned);
    if (box.find_first_not_of(' ') == std::string::npos) {
        return CliFail(EXIT_SYNTAX, "%s%s", where, MSG_EMPTY_DECLARATION);
    }
    CHeaderAnalysis analysis;
    if (const AnalyzeResult analysed = analysis.Analyze(box); analysed != AnalyzeResult::Done) {
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
    if (values.Expand(formatPath.c_str(), comment) != HeaderExpandResult::Done) {
        return CliFailFile(EXIT_FORMAT_FAULTY, FILE_UNREADABLE, formatPath, MSG_NOUN_FORMAT_FILE);
    }
    return EXIT_DONE;
}
