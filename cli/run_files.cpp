#include "cli/comment_make.h"
#include "cli/exit_status.h"
#include "cli/file_problem.h"
#include "cli/function_comment.h"
#include "cli/options.h"
#include "cli/report.h"
#include "cli/runs.h"
#include "cli/text_io.h"
#include "format/format_read.h"
#include "header/header_date.h"
#include "header/messages.h"
#include "header/settings_rule.h"
#include "platform/file_write.h"
#include "platform/settings_file.h"
#include "platform/shell_pattern.h"
#include "text/codepage.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

namespace {

// The formats of a run, loaded once for all its functions: the one comments are written with,
// and the one the comments above are read with (--from, else the same).
struct CRunFormats {
    CFormatText m_format;
    CFormatText m_from;
    std::unique_ptr<CHeaderReader> m_pReader;
};

int LoadFormats(const CliOptions& options, const std::string& formatPath, CRunFormats& formats) {
    if (options.m_bHasFrom) {
        if (const int checked = CliCheckFormat(options.m_strFromPath); checked != EXIT_DONE) {
            return checked;
        }
    }
    const std::string& fromPath = options.m_bHasFrom ? options.m_strFromPath : formatPath;
    for (const auto& [path, text] : {std::make_pair(&formatPath, &formats.m_format),
                                     std::make_pair(&fromPath, &formats.m_from)}) {
        if (text->Load(path->c_str()) != 0) {
            return CliFailFile(EXIT_FORMAT_FAULTY, FILE_UNREADABLE, *path, MSG_NOUN_FORMAT_FILE);
        }
    }
    formats.m_pReader = std::make_unique<CHeaderReader>(formats.m_from);
    return EXIT_DONE;
}

CCommentRoad MakeRoad(const CliOptions& options, const CSettingsFile& settings,
                      CRunFormats& formats) {
    return {options,
            CliAnalysisChoice(options, settings),
            *formats.m_pReader,
            formats.m_format,
            settings.GetString(SETTINGS_SECTION, SETTINGS_KEY_DEVELOP, ""),
            HeaderToday()};
}

void Note(const std::string& where, const std::string& text) {
    std::fprintf(stderr, "veldane-header: %s%s\n", where.c_str(), text.c_str());
}

void NoteLost(const CliSourceFile& file, const CFunctionComment& plan) {
    const std::string where = CliWhere(file, file.Functions()[plan.m_nFunction].m_nFirstLine);
    for (const CLostDescription& lost : plan.m_vecLost) {
        Note(where, CliPrintf(MSG_DESCRIPTION_LOST, TxtCp932ToUtf8(lost.m_strName).c_str(),
                              TxtCp932ToUtf8(lost.m_strText).c_str()));
    }
}

// The first line above function nFunction that a comment of its own may begin at: below the
// function before it.
std::size_t TopLine(const CliSourceFile& file, std::size_t nFunction) {
    return nFunction == 0 ? 1 : file.Functions()[nFunction - 1].m_nLastLine + 1;
}

// A function's name as messages and reports give it: in UTF-8, whatever the file's encoding.
std::string NameOf(const CliSourceFile& file, std::size_t nFunction) {
    const std::string& name = file.Functions()[nFunction].m_strName;
    return file.Encoding() == ENCODING_CP932 ? TxtCp932ToUtf8(name) : name;
}

// Whether --exclude leaves function nFunction alone: its name and the patterns compared in code
// page 932, into which the patterns were read.
bool Excluded(const CliOptions& options, const CliSourceFile& file, std::size_t nFunction) {
    const std::string name = CliToCp932(file.Functions()[nFunction].m_strName, file.Encoding());
    return std::any_of(
        options.m_vecExclude.begin(), options.m_vecExclude.end(),
        [&](const std::string& pattern) { return PfShellPatternMatches(pattern, name); });
}

// The file written with the edits, or its diff appended to `diff`; the exit status.
int WriteEdits(const CliOptions& options, const CliSourceFile& file,
               const std::vector<CLineEdit>& edits, std::string& diff) {
    if (edits.empty()) {
        return EXIT_DONE;
    }
    if (options.m_bDryRun) {
        diff += file.Diff(edits);
        return EXIT_DONE;
    }
    if (!PfReplaceFile(file.Path(), file.Edited(edits))) {
        return CliFail(EXIT_INSERT_FILE, MSG_FILE_UNWRITABLE, file.Path().c_str());
    }
    return EXIT_DONE;
}

// A report for standard output: in the --encoding, with CR LF line ends for --crlf.
int WriteReport(const CliOptions& options, const std::string& utf8) {
    std::string text = options.m_eEncoding == ENCODING_CP932 ? TxtUtf8ToCp932(utf8) : utf8;
    if (options.m_bCrlf) {
        std::string crlf;
        for (const char ch : text) {
            crlf += ch == '\n' ? "\r\n" : std::string(1, ch);
        }
        text = std::move(crlf);
    }
    return CliWriteStream(stdout, text) ? EXIT_DONE : CliFail(EXIT_IO, "%s", MSG_WRITE_ERROR);
}

int WriteDiff(const CliOptions& options, const std::string& diff) {
    if (options.m_bDryRun && !CliWriteStream(stdout, diff)) {
        return CliFail(EXIT_IO, "%s", MSG_WRITE_ERROR);
    }
    return EXIT_DONE;
}

// The function LINE names: EXIT_DONE with its index, or EXIT_INSERT_FILE after a message.
int FunctionAt(const CliSourceFile& file, std::size_t nLine, std::size_t& nFunction) {
    if (nLine > file.LineCount()) {
        return CliFail(EXIT_INSERT_FILE, MSG_NO_SUCH_LINE, file.Path().c_str(), nLine,
                       file.LineCount());
    }
    const int found = SourceFunctionAt(file.Functions(), nLine);
    if (found < 0) {
        return CliFail(EXIT_INSERT_FILE, MSG_NO_FUNCTION_AT, file.Path().c_str(), nLine);
    }
    nFunction = static_cast<std::size_t>(found);
    return EXIT_DONE;
}

// A description and where it was read, for --reuse.
struct CReusable {
    std::string m_strText;
    std::string m_strWhere;
    int m_nCount = 0;
    std::size_t m_nOrder = 0;
};
// By the argument's name (without leading '*' and '&') and type.
using ReuseKey = std::pair<std::string, std::string>;

ReuseKey ArgKey(const CFunctionComment& plan, int row) {
    const std::string& name = plan.m_astrValues[HeaderArgKeyIndex(row, ArgPart::Name)];
    return {name.substr(std::min(name.find_first_not_of("*&"), name.size())),
            plan.m_astrValues[HeaderArgKeyIndex(row, ArgPart::Type)]};
}

struct CPlannedFile {
    std::unique_ptr<CliSourceFile> m_pFile;
    std::vector<CFunctionComment> m_vecPlans;
    std::vector<CLineEdit> m_vecEdits;
};

// --reuse: each empty description takes the one the same argument carries most often in the
// comments above of the run (the first in file order on a tie), and each is noted.
void Reuse(std::vector<CPlannedFile>& files) {
    std::map<ReuseKey, std::vector<CReusable>> known;
    std::size_t order = 0;
    for (const CPlannedFile& planned : files) {
        for (const CFunctionComment& plan : planned.m_vecPlans) {
            for (int row = 1; row <= plan.m_nArgs && plan.m_above.m_nLines > 0; ++row) {
                const std::string& text = plan.m_astrValues[HeaderArgKeyIndex(row, ArgPart::Text)];
                if (text.empty()) {
                    continue;
                }
                std::vector<CReusable>& texts = known[ArgKey(plan, row)];
                auto it = std::find_if(texts.begin(), texts.end(),
                                       [&](const CReusable& r) { return r.m_strText == text; });
                if (it == texts.end()) {
                    const CSourceFunction& function =
                        planned.m_pFile->Functions()[plan.m_nFunction];
                    texts.push_back(
                        {text,
                         planned.m_pFile->Path() + ":" + std::to_string(function.m_nFirstLine), 0,
                         order++});
                    it = texts.end() - 1;
                }
                ++it->m_nCount;
            }
        }
    }
    for (CPlannedFile& planned : files) {
        for (CFunctionComment& plan : planned.m_vecPlans) {
            for (int row = 1; row <= plan.m_nArgs; ++row) {
                std::string& text = plan.m_astrValues[HeaderArgKeyIndex(row, ArgPart::Text)];
                const auto found = known.find(ArgKey(plan, row));
                if (!text.empty() || found == known.end()) {
                    continue;
                }
                const CReusable& best =
                    *std::min_element(found->second.begin(), found->second.end(),
                                      [](const CReusable& a, const CReusable& b) {
                                          return a.m_nCount != b.m_nCount ? a.m_nCount > b.m_nCount
                                                                          : a.m_nOrder < b.m_nOrder;
                                      });
                text = best.m_strText;
                const std::size_t line =
                    planned.m_pFile->Functions()[plan.m_nFunction].m_nFirstLine;
                Note(CliWhere(*planned.m_pFile, line),
                     CliPrintf(MSG_DESCRIPTION_REUSED, TxtCp932ToUtf8(found->first.first).c_str(),
                               best.m_strWhere.c_str(), TxtCp932ToUtf8(text).c_str()));
            }
        }
    }
}

bool IsVoid(const std::string& ret) {
    const std::size_t end = ret.find_last_not_of(' ');
    return ret.empty() ||
           (ret.find_first_of("*&") == std::string::npos && end != std::string::npos && end >= 3 &&
            ret.compare(end - 3, 4, "void") == 0 && (end == 3 || ret[end - 4] == ' '));
}

int Insert(const CliOptions& options, const CCommentRoad& road) {
    const bool bOneLine = options.m_eMode == CliMode::InsertLine;
    int status = EXIT_DONE;
    std::vector<CPlannedFile> files;
    for (const std::string& path : options.m_vecFiles) {
        CPlannedFile planned{std::make_unique<CliSourceFile>(), {}, {}};
        CliSourceFile& file = *planned.m_pFile;
        if (const int read =
                file.Read(path, options.m_eEncoding, bOneLine || options.m_bDeclarations);
            read != EXIT_DONE) {
            status = std::max(status, read);
            continue;
        }
        std::vector<std::size_t> targets;
        if (bOneLine) {
            std::size_t nFunction = 0;
            if (const int found = FunctionAt(file, options.m_nLine, nFunction);
                found != EXIT_DONE) {
                return found;
            }
            targets.push_back(nFunction);
        } else {
            for (std::size_t i = 0; i < file.Functions().size(); ++i) {
                if (!Excluded(options, file, i)) {
                    targets.push_back(i);
                }
            }
        }
        for (const std::size_t i : targets) {
            CFunctionComment plan;
            if (const int planned_ = CliPlanComment(road, file, i, TopLine(file, i), plan);
                planned_ != EXIT_DONE) {
                // One function's refusal ends a run about it, and running out of memory any run;
                // a whole file goes on past a declaration that cannot be analysed.
                if (bOneLine || planned_ == EXIT_BUFFER) {
                    return planned_;
                }
                continue;
            }
            const std::string where = CliWhere(file, file.Functions()[i].m_nFirstLine);
            if (plan.m_bOtherCommentAbove && !bOneLine) {
                Note(where, CliPrintf(MSG_OTHER_COMMENT_LEFT, NameOf(file, i).c_str()));
                continue;
            }
            planned.m_vecPlans.push_back(std::move(plan));
        }
        files.push_back(std::move(planned));
    }
    if (options.m_bReuse) {
        Reuse(files);
    }
    // Every comment is made before any file is written, so that a run that runs out of memory
    // writes nothing.
    for (CPlannedFile& planned : files) {
        const CliSourceFile& file = *planned.m_pFile;
        for (CFunctionComment& plan : planned.m_vecPlans) {
            if (const int finished = CliFinishComment(road, file, plan); finished != EXIT_DONE) {
                return finished;
            }
            const std::string where =
                CliWhere(file, file.Functions()[plan.m_nFunction].m_nFirstLine);
            if (plan.m_eAction == CommentAction::Refused) {
                Note(where, CliPrintf(MSG_UPDATE_REFUSED, plan.m_strLostCharacters.c_str()));
                status = std::max(status, bOneLine ? EXIT_ENCODING : EXIT_DONE);
            } else if (plan.m_eAction == CommentAction::UpToDate && bOneLine) {
                Note(where, MSG_UP_TO_DATE);
            } else if (plan.m_eAction == CommentAction::Insert ||
                       plan.m_eAction == CommentAction::Update) {
                if (plan.m_bOtherCommentAbove) {
                    Note(where, MSG_OTHER_COMMENT_KEPT);
                }
                // Only a comment rewritten loses the descriptions of arguments gone.
                NoteLost(file, plan);
                planned.m_vecEdits.push_back(CliCommentEdit(file, plan));
            }
        }
    }
    std::string diff;
    for (const CPlannedFile& planned : files) {
        status = std::max(status, WriteEdits(options, *planned.m_pFile, planned.m_vecEdits, diff));
    }
    return std::max(status, WriteDiff(options, diff));
}

int ReadBack(const CliOptions& options, const CCommentRoad& road, const std::string& fromPath) {
    CliSourceFile file;
    if (const int read = file.Read(options.m_vecFiles.front(), options.m_eEncoding, true);
        read != EXIT_DONE) {
        return read;
    }
    std::size_t nFunction = 0;
    if (const int found = FunctionAt(file, options.m_nLine, nFunction); found != EXIT_DONE) {
        return found;
    }
    CFunctionComment plan;
    if (const int planned = CliPlanComment(road, file, nFunction, TopLine(file, nFunction), plan);
        planned != EXIT_DONE) {
        return planned;
    }
    const CCommentAbove& above = plan.m_above;
    const std::size_t first = file.Functions()[nFunction].m_nFirstLine;
    std::string report;
    if (above.m_nLines > 0) {
        for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
            if (above.m_reading.m_abStandIn[i]) {
                report += std::string(g_apszHeaderKeys[i]) + MSG_READ_BACK_STAND_IN + "\n";
            } else if (above.m_reading.m_abPresent[i]) {
                report += std::string(g_apszHeaderKeys[i]) + "=" +
                          TxtCp932ToUtf8(above.m_reading.m_astrValues[i]) + "\n";
            }
        }
    } else {
        // Only the comment lines right above can be the comment meant: where they part from the
        // format tells what to mend, while a try from a line of code higher up tells nothing.
        const std::size_t commentFirst = file.Functions()[nFunction].m_nCommentFirstLine;
        CCommentAbove tried;
        if (commentFirst != 0) {
            std::vector<std::string_view> lines;
            for (std::size_t line = commentFirst; line < first; ++line) {
                lines.push_back(file.Cp932Line(line));
            }
            tried = HeaderFindCommentAbove(road.m_oldReader, lines, file.Indent(first), {});
        }
        const CHeaderReading& reading = tried.m_reading;
        const std::size_t line =
            first - tried.m_nTried + static_cast<std::size_t>(reading.m_nCommentLine) - 1;
        report = CliWhere(file, tried.m_nTried == 0 ? first : line) +
                 (tried.m_nTried == 0     ? std::string(MSG_READ_BACK_NOTHING)
                  : reading.m_bOverBudget ? std::string(MSG_READ_BACK_OVER_BUDGET)
                  : reading.m_nFormatLine == 0
                      ? std::string(MSG_READ_BACK_UNCONFIRMED)
                      : CliPrintf(MSG_READ_BACK_PARTS, fromPath.c_str(), reading.m_nFormatLine)) +
                 "\n";
    }
    if (const int written = WriteReport(options, report); written != EXIT_DONE) {
        return written;
    }
    return above.m_nLines > 0 ? EXIT_DONE : EXIT_FINDINGS;
}

int Lint(const CliOptions& options, const CCommentRoad& road) {
    int status = EXIT_DONE;
    std::string report;
    for (const std::string& path : options.m_vecFiles) {
        CliSourceFile file;
        if (const int read = file.Read(path, options.m_eEncoding, options.m_bDeclarations);
            read != EXIT_DONE) {
            // The other files are still checked; a file that cannot be read is told apart.
            status = std::max(status, EXIT_INSERT_FILE);
            continue;
        }
        for (std::size_t i = 0; i < file.Functions().size(); ++i) {
            const CSourceFunction& function = file.Functions()[i];
            if (Excluded(options, file, i)) {
                continue;
            }
            CFunctionComment plan;
            if (const int planned = CliPlanComment(road, file, i, TopLine(file, i), plan);
                planned != EXIT_DONE) {
                // Running out of memory ends the run before its report; a declaration that
                // cannot be analysed is passed by.
                if (planned == EXIT_BUFFER) {
                    return planned;
                }
                continue;
            }
            std::vector<std::string> findings;
            const std::string utf8Name = NameOf(file, i);
            const char* name = utf8Name.c_str();
            if (plan.m_above.m_nLines == 0) {
                findings.push_back(CliPrintf(MSG_LINT_MISSING, name));
            } else {
                if (const int finished = CliFinishComment(road, file, plan);
                    finished != EXIT_DONE) {
                    return finished;
                }
                if (plan.m_eAction == CommentAction::Update ||
                    plan.m_eAction == CommentAction::Refused) {
                    findings.push_back(CliPrintf(MSG_LINT_STALE, name));
                }
                for (int row = 1; options.m_bStrict && row <= plan.m_nArgs; ++row) {
                    if (plan.m_astrValues[HeaderArgKeyIndex(row, ArgPart::Text)].empty()) {
                        const std::string arg = TxtCp932ToUtf8(
                            plan.m_astrValues[HeaderArgKeyIndex(row, ArgPart::Name)]);
                        findings.push_back(CliPrintf(MSG_LINT_NO_ARG_TEXT, name, arg.c_str()));
                    }
                }
                if (options.m_bStrict &&
                    !IsVoid(plan.m_astrValues[HeaderKeyIndex(HeaderKey::Ret)]) &&
                    plan.m_astrValues[HeaderKeyIndex(HeaderKey::RetText)].empty()) {
                    findings.push_back(CliPrintf(MSG_LINT_NO_RET_TEXT, name));
                }
            }
            for (const std::string& finding : findings) {
                report += path + ":" + std::to_string(function.m_nNameLine) + ":" +
                          std::to_string(function.m_nNameColumn) + ": warning: " + finding + "\n";
            }
            status = std::max(status, findings.empty() ? EXIT_DONE : EXIT_FINDINGS);
        }
    }
    const int written = WriteReport(options, report);
    return written != EXIT_DONE ? written : status;
}

} // namespace

int RunFiles(const CliOptions& options, const CSettingsFile& settings,
             const std::string& formatPath) {
    CRunFormats formats;
    if (const int loaded = LoadFormats(options, formatPath, formats); loaded != EXIT_DONE) {
        return loaded;
    }
    const CCommentRoad road = MakeRoad(options, settings, formats);
    switch (options.m_eMode) {
    case CliMode::ReadBack:
        return ReadBack(options, road, options.m_bHasFrom ? options.m_strFromPath : formatPath);
    case CliMode::Lint:
        return Lint(options, road);
    default:
        return Insert(options, road);
    }
}
