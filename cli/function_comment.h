#pragma once

#include "cli/options.h"
#include "cli/source_file.h"
#include "header/analysis_choice.h"
#include "header/header_comment.h"
#include "header/header_readback.h"
#include "header/header_update.h"

#include <cstddef>
#include <string>
#include <vector>

class CFormatText;

// What the file modes share for every function of a run: the options, the analysis, the format
// the comments above are read with (--from, else the one they are written with) and the one
// fresh comments are made with, and the values a comment made afresh takes.
struct CCommentRoad {
    const CliOptions& m_options;
    CAnalysisChoice m_choice;
    CHeaderReader& m_oldReader;
    CFormatText& m_format;
    std::string m_strDeveloper; // code page 932, from the settings unless -d gave one
    std::string m_strToday;
};

// What a run does with one function's comment.
enum class CommentAction {
    Insert,   // nothing above reads back: a fresh comment goes above the declaration
    Update,   // the comment above reads back and is rewritten
    UpToDate, // the comment above reads back and a fresh one would be the same
    Nothing,  // the format writes nothing for this function
    Refused,  // the comment above holds characters code page 932 lacks, which a rewrite would lose
};

// One function's comment as a run plans it.
struct CFunctionComment {
    std::size_t m_nFunction = 0; // in the file's Functions()
    CCommentAbove m_above;       // the comment above, read back (m_nLines 0: none)
    // Comment lines right above that do not read back: left as they are, never stacked on.
    bool m_bOtherCommentAbove = false;
    // The fresh comment's values (code page 932), and the analysed argument names and types of
    // its rows, for --reuse.
    std::string m_astrValues[HEADER_KEY_COUNT];
    int m_nArgs = 0;
    std::vector<CLostDescription> m_vecLost;
    CommentAction m_eAction = CommentAction::Nothing;
    std::string m_strFresh;          // the fresh comment, code page 932
    std::string m_strLostCharacters; // Refused: the characters, as a note lists them
};

// "FILE:LINE: " for messages about a function, LINE the first line of its declaration.
std::string CliWhere(const CliSourceFile& file, std::size_t nLine);

// Analyses function nFunction of `file` and reads back the comment right above it, no higher
// than line nTop, and sets the values of its fresh comment: the analysed boxes from the
// declaration as it is now; the title, the return value's description, the author and the date
// from the comment above, else the settings and today, options over both; the descriptions from
// --arg-text, then the comment above, then comments after the parameters (tidy analysis).
// EXIT_DONE, or EXIT_SYNTAX or EXIT_BUFFER after a message naming the line when the declaration
// cannot be analysed (`plan` is then partly set).
int CliPlanComment(const CCommentRoad& road, const CliSourceFile& file, std::size_t nFunction,
                   std::size_t nTop, CFunctionComment& plan);

// Expands the fresh comment and decides the action by comparing it with the comment above.
// EXIT_DONE, or EXIT_BUFFER after a message naming the line when memory ran out for a value (the
// action is then Nothing).
int CliFinishComment(const CCommentRoad& road, const CliSourceFile& file, CFunctionComment& plan);

// The line edit a planned Insert or Update makes in `file`.
CLineEdit CliCommentEdit(const CliSourceFile& file, const CFunctionComment& plan);
