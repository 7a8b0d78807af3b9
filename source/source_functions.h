#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Finds the functions of a C or C++ source file, and the comment lines right above each, in one
// pass over its bytes, without preprocessing it or knowing its types.
//
// Found: definitions at file scope, inside namespaces and `extern "C"` blocks, member functions
// defined outside their class (`CFoo::Bar`) or inside a class body, constructors (initialiser
// lists included), destructors, operators, templates, `static` and `inline` ones, return types on
// a line of their own, and return types, calling conventions and attributes spelled with macros
// (`BOOL WINAPI`, `__attribute__((...))`, `EXPORT_API`). With declarations asked for, also the
// declarations that end in ';' at those places.
//
// Never found: control statements, macro invocations (`TEST(a, b) { ... }` included, since it
// has neither a return type nor the form of a constructor), `#define` lines and their
// continuation lines, function-pointer variables, initialised variables (`int x(5);`, `Foo f{1};`,
// `std::vector<int> v(n);`), anything inside string or character literals (raw strings too) or
// comments, and anything inside a function body (lambdas, local classes).
//
// Preprocessor branches: every branch of an `#if`/`#elif`/`#else` group is scanned and its
// functions found, but only the first branch's braces count towards the nesting that follows the
// group, so that branches which each open or close a brace of their own do not unbalance the
// rest of the file; of two alternative heads sharing one body the first branch's is reported.
// Blocks under `#if 0` (and `#elif 0`) are skipped, and so are groups nested more than 256 deep.
//
// A declaration starts at its first line: its template line, its attribute lines (also a
// macro's invocation without ';' right above it, like `GTEST_ATTRIBUTE_PRINTF_(2, 3)`), its
// return type's line in GNU style. A macro's invocation followed by a blank line or a comment
// stands alone.
//
// A UTF-8 byte order mark at the start is skipped. Lines end at LF or CR LF; a lone CR is no
// line end. Lines and columns count from 1.

// How the bytes of a file are read: in code page 932 a trail byte can be '{', '}' or '\\', so a
// lead byte and its trail are stepped over as one character.
enum class SourceEncoding { Utf8, Cp932 };

struct CSourceFunction {
    // Line where the declaration starts: its template or attribute line, a return type's own
    // line in GNU style.
    std::size_t m_nFirstLine;
    std::size_t m_nFirstOffset; // byte offset of that line's first byte (behind a byte order mark)
    // Byte offset of the declaration's first byte: its first non-blank byte, unless something
    // else (the end of an earlier statement) stands before it on its first line.
    std::size_t m_nDeclStart;
    // Byte offset of the '{' or ';' that ends the declaration (a constructor's: its body's '{'
    // behind the initialiser list); the declaration's text is [m_nDeclStart, m_nDeclEnd).
    std::size_t m_nDeclEnd;
    std::size_t m_nNameLine; // line of the function's name
    // Its column as gcc reports it: display columns from 1, a tab advancing to the next multiple
    // of 8, a double-width character counting 2 and a combining one 0.
    std::size_t m_nNameColumn;
    // Line of the body's closing '}' (the declaration's ';'); the file's last line for a body
    // the file never closes.
    std::size_t m_nLastLine;
    // Byte offset just behind that '}' or ';' (the file's size for a body never closed).
    std::size_t m_nLastOffset;
    // First line of the run of comment-only lines right above m_nFirstLine, with no blank line
    // between; 0 when there is none.
    std::size_t m_nCommentFirstLine;
    bool m_bDefinition; // false for a declaration ending in ';'
    // The name as written, without its class: "Bar", "operator==", "~CFoo", "operator bool".
    std::string m_strName;
};

// Every function of `file` in file order; with `bDeclarations` the declarations too. No two of
// them overlap. Takes time and memory linear in the file's size, for any bytes.
std::vector<CSourceFunction> SourceFindFunctions(std::string_view file, SourceEncoding encoding,
                                                 bool bDeclarations);

// The index of the function whose comment lines right above, declaration or body hold line
// `line` (from 1), the first such one when a line holds two; -1 when none does.
int SourceFunctionAt(const std::vector<CSourceFunction>& functions, std::size_t line);
