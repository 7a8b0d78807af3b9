#pragma once

#include "cli/file_edits.h"
#include "cli/text_io.h"
#include "source/source_functions.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A source file as --insert, --read-back and --lint read it: its bytes, its lines, the same
// lines in code page 932, and its functions.
class CliSourceFile {
public:
    // Reads the file at `path`, which must be text in `encoding`, and finds its functions (with
    // `bDeclarations` also those that end in ';'). EXIT_DONE, or the exit status after a message
    // on standard error: EXIT_INSERT_FILE for a file that cannot be read, EXIT_ENCODING for one
    // that is not text.
    int Read(const std::string& path, CliEncoding encoding, bool bDeclarations);

    const std::string& Path() const { return m_strPath; }
    CliEncoding Encoding() const { return m_eEncoding; }
    const std::string& Bytes() const { return m_strBytes; }
    const std::vector<CSourceFunction>& Functions() const { return m_vecFunctions; }
    std::size_t LineCount() const { return m_vecLines.size(); }

    // Line nLine (from 1) without its line end, a byte order mark taken off the first: as the
    // file has it, and in code page 932.
    std::string_view Line(std::size_t nLine) const { return m_vecLines[nLine - 1]; }
    std::string_view Cp932Line(std::size_t nLine) const { return m_vecCp932[nLine - 1]; }
    // What ends line nLine: "\r\n" or "\n"; for a last line without one, the file's first.
    std::string LineEnd(std::size_t nLine) const;
    // The blanks line nLine begins with.
    std::string_view Indent(std::size_t nLine) const;

    // Comment lines (code page 932, each ended by LF or CR LF) as the file holds them at nLine:
    // in the file's encoding, each indented and ended like line nLine.
    std::string CommentLines(std::string_view cp932, std::size_t nLine) const;
    // The file with `edits` made to its lines (counted from 0) and the diff that shows them. A
    // byte order mark stays first: an edit of the first line keeps it in front.
    std::string Edited(const std::vector<CLineEdit>& edits) const;
    std::string Diff(const std::vector<CLineEdit>& edits) const;

private:
    std::vector<CLineEdit> WithMark(const std::vector<CLineEdit>& edits) const;

    std::string m_strPath;
    CliEncoding m_eEncoding = ENCODING_UTF8;
    std::string m_strBytes;
    std::size_t m_nBodyStart = 0; // behind a byte order mark
    std::vector<std::string_view> m_vecLines;
    std::vector<const char*> m_vecLineEnds;
    std::string m_strCp932;
    std::vector<std::string_view> m_vecCp932;
    std::vector<CSourceFunction> m_vecFunctions;
};
