#include "cli/function_comment.h"

#include "cli/exit_status.h"
#include "cli/report.h"
#include "header/box_text.h"
#include "header/header_analysis.h"
#include "header/header_values.h"
#include "header/messages.h"

#include <algorithm>
#include <cstdio>

namespace {

// The analysed boxes of the declaration, or the status after its message.
int AnalyseDeclaration(const CCommentRoad& road, const CliSourceFile& file,
                       const CSourceFunction& function, const std::string& where,
                       CHeaderAnalysis& analysis) {
    const std::string_view declaration =
        std::string_view(file.Bytes())
            .substr(function.m_nDeclStart, function.m_nDeclEnd - function.m_nDeclStart);
    // The file is text in its encoding throughout; only characters code page 932 lacks change.
    CliNoteChangedCharacters(where + MSG_NOUN_DECLARATION, declaration, file.Encoding());
    std::string cleaned;
    if (HeaderCleanPaste(CliToCp932(declaration, file.Encoding()), cleaned,
                         road.m_choice.m_bTidy) != PasteResult::Done) {
        return CliFail(EXIT_BUFFER, "%s%s", where.c_str(), MSG_BUFFER_ERROR);
    }
    if (const AnalyzeResult analysed = analysis.Analyze(HeaderBoxText(cleaned), road.m_choice);
        analysed != AnalyzeResult::Done) {
        const int status = analysed == AnalyzeResult::NoMemory ? EXIT_BUFFER : EXIT_SYNTAX;
        return CliFail(status, "%s%s", where.c_str(), HeaderAnalyzeMessage(analysed));
    }
    if (analysis.ArgCount() > HEADER_ARG_ROWS) {
        std::fprintf(stderr, "veldane-header: %s%s\n", where.c_str(), MSG_SIX_ROWS_WRITTEN);
    }
    return EXIT_DONE;
}

// Sets `key` to `value` where the option was given.
void Override(std::string (&values)[HEADER_KEY_COUNT], HeaderKey key, bool bGiven,
              const std::string& value) {
    if (bGiven) {
        values[HeaderKeyIndex(key)] = HeaderBoxText(value);
    }
}

} // namespace

std::string CliWhere(const CliSourceFile& file, std::size_t nLine) {
    return file.Path() + ":" + std::to_string(nLine) + ": ";
}

int CliPlanComment(const CCommentRoad& road, const CliSourceFile& file, std::size_t nFunction,
                   std::size_t nTop, CFunctionComment& plan) {
    const CSourceFunction& function = file.Functions()[nFunction];
    const std::string where = CliWhere(file, function.m_nFirstLine);
    plan.m_nFunction = nFunction;
    CHeaderAnalysis analysis;
    if (const int analysed = AnalyseDeclaration(road, file, function, where, analysis);
        analysed != EXIT_DONE) {
        return analysed;
    }
    const std::vector<CBoxValue> boxes = analysis.BoxValues(HEADER_ARG_ROWS);
    plan.m_nArgs = std::min(analysis.ArgCount(), HEADER_ARG_ROWS);

    std::vector<std::string_view> above;
    for (std::size_t line = std::max<std::size_t>(nTop, 1); line < function.m_nFirstLine; ++line) {
        above.push_back(file.Cp932Line(line));
    }
    plan.m_above =
        HeaderFindCommentAbove(road.m_oldReader, above, file.Indent(function.m_nFirstLine), boxes);
    // Without memory to read the comment above, a comment written now could stack on it.
    if (plan.m_above.m_bNoMemory) {
        return CliFail(EXIT_BUFFER, "%s%s", where.c_str(), MSG_NO_MEMORY);
    }
    plan.m_bOtherCommentAbove = plan.m_above.m_nLines == 0 && function.m_nCommentFirstLine != 0;

    std::string(&values)[HEADER_KEY_COUNT] = plan.m_astrValues;
    if (plan.m_above.m_nLines > 0) {
        CHeaderUpdate update = HeaderUpdate(plan.m_above.m_reading, boxes);
        std::copy(std::begin(update.m_astrValues), std::end(update.m_astrValues), values);
        plan.m_vecLost = std::move(update.m_vecLost);
    } else {
        for (const CBoxValue& box : boxes) {
            values[box.m_nKey] = box.m_strText;
        }
        values[HeaderKeyIndex(HeaderKey::Developer)] = road.m_strDeveloper;
        values[HeaderKeyIndex(HeaderKey::Date)] = road.m_strToday;
    }
    const CliOptions& options = road.m_options;
    Override(values, HeaderKey::Title, options.m_bHasTitle, options.m_strTitle);
    Override(values, HeaderKey::Developer, options.m_bHasDeveloper, options.m_strDeveloper);
    Override(values, HeaderKey::Date, options.m_bHasDate, options.m_strDate);
    Override(values, HeaderKey::RetText, options.m_bHasRetText, options.m_strRetText);
    for (int row = 1; row <= HEADER_ARG_ROWS; ++row) {
        std::string& text = values[HeaderArgKeyIndex(row, ArgPart::Text)];
        if (options.m_abHasArgText[row - 1]) {
            text = HeaderBoxText(options.m_astrArgText[row - 1]);
        } else if (text.empty()) {
            text = HeaderBoxText(analysis.ArgComment(row));
        }
    }
    return EXIT_DONE;
}

int CliFinishComment(const CCommentRoad& road, const CliSourceFile& file, CFunctionComment& plan) {
    CHeaderValues values;
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        values.Set(i, plan.m_astrValues[i]);
    }
    const std::size_t first = file.Functions()[plan.m_nFunction].m_nFirstLine;
    if (values.Expand(road.m_format, plan.m_strFresh) != HeaderExpandResult::Done) {
        return CliFail(EXIT_BUFFER, "%s%s", CliWhere(file, first).c_str(), MSG_NO_MEMORY);
    }
    if (plan.m_strFresh.empty()) {
        return EXIT_DONE;
    }
    if (plan.m_above.m_nLines == 0) {
        plan.m_eAction = CommentAction::Insert;
        return EXIT_DONE;
    }
    std::string old;
    std::string original;
    for (std::size_t line = first - plan.m_above.m_nLines; line < first; ++line) {
        old.append(file.Cp932Line(line).substr(file.Indent(first).size()));
        old += '\n';
        original.append(file.Line(line));
        original += '\n';
    }
    if (HeaderCommentsAgree(old, plan.m_strFresh)) {
        plan.m_eAction = CommentAction::UpToDate;
        return EXIT_DONE;
    }
    // A character the comment held that code page 932 lacks would come back as '?' or another.
    plan.m_strLostCharacters = CliChangedCharacters(original, file.Encoding());
    plan.m_eAction =
        plan.m_strLostCharacters.empty() ? CommentAction::Update : CommentAction::Refused;
    return EXIT_DONE;
}

CLineEdit CliCommentEdit(const CliSourceFile& file, const CFunctionComment& plan) {
    const std::size_t first = file.Functions()[plan.m_nFunction].m_nFirstLine;
    std::size_t count = plan.m_eAction == CommentAction::Update ? plan.m_above.m_nLines : 0;
    const std::string text = file.CommentLines(plan.m_strFresh, first);
    std::vector<std::string_view> lines = EditsSplitLines(text);
    // Lines the update leaves as they were stay out of the edit, so that a diff shows what
    // changed and nothing else.
    std::size_t start = first - 1 - count;
    std::size_t kept = 0;
    // A line stays only when it is the fresh line to the byte, its line end included: a file may
    // end its comment lines otherwise than the declaration, and the comment takes the latter's.
    const auto same = [&](std::size_t line, std::string_view fresh) {
        return std::string(file.Line(line)) + file.LineEnd(line) == fresh;
    };
    while (kept < count && kept < lines.size() && same(start + 1 + kept, lines[kept])) {
        ++kept;
    }
    std::size_t tail = 0;
    while (tail < count - kept && tail < lines.size() - kept &&
           same(first - 1 - tail, lines[lines.size() - 1 - tail])) {
        ++tail;
    }
    std::string changed;
    for (std::size_t i = kept; i < lines.size() - tail; ++i) {
        changed.append(lines[i]);
    }
    return {start + kept, count - kept - tail, changed};
}
