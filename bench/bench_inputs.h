#pragma once

#include "header/header_keys.h"

#include <array>
#include <cstddef>
#include <string>

// Inputs at the limits of the program, built so that each operation does the most work it can.
// Every builder takes the size in bytes (or lines) so that a benchmark can run it at a quarter,
// half and full size and show how the cost grows.

// Longest text a form box hands to the core: its 1024-byte array less the terminator.
constexpr std::size_t BENCH_TEXT_MAX = 1023;
// Longest text the paste command takes from the clipboard: 2048 bytes less the terminator.
constexpr std::size_t BENCH_PASTE_MAX = 2047;
// Bytes the growing replacement writes for every byte of its text.
constexpr std::size_t BENCH_REPLACE_GROWTH = 4;
// Longest value the expansion is made for: its value area holds 512 bytes with the terminator.
// (A box gives up to 1023 bytes; the expansion takes those too, but bounds its work on them.)
constexpr std::size_t BENCH_VALUE_MAX = 511;
// Bytes of every line of the limit format files, LF included: the largest piece read at once.
constexpr std::size_t BENCH_FORMAT_LINE = 511;

// "s a,s a,..." style declaration of exactly `size` bytes (at least 8) holding the most
// two-word arguments that fit, every one of which the analyser records.
std::string BenchDeclaration(std::size_t size);
// The number of arguments BenchDeclaration(size) holds.
int BenchDeclarationArgs(std::size_t size);
// "t t ... t f(t t ... t a)" of exactly `size` bytes (at least 8): the most words a return type
// and one argument's type can hold, half of the text each.
std::string BenchDeclarationWords(std::size_t size);

// Comments of at most `size` bytes (at least 4) that make the comment removal do one pass per
// comment: a tower of nested "/*" ... "*/" pairs whose closing parts stand side by side, each
// with a content of its own, so that deleting the innermost joins the next into a new comment.
std::string BenchCommentTower(std::size_t size);
// Passes the comment removal makes on BenchCommentTower(size): one per comment in it.
int BenchCommentPasses(std::size_t size);

// A pasted declaration of exactly `size` bytes (at least 64): a declaration with its arguments
// on lines of their own, each followed by a line comment, and block comments side by side, each
// with a content of its own, filling the rest. Every comment takes the cleaning one pass, as a
// tower does for the plain removal (where a comment leaves a space, the tower does not fold).
// Cleaned, it is a declaration the analyser accepts.
std::string BenchPasted(std::size_t size);

// The values of all 25 header fields, in key order, each `length` bytes long (at least 1).
struct CBenchValues {
    std::array<std::string, HEADER_KEY_COUNT> m_astrValue;
    std::array<const char*, HEADER_KEY_COUNT> m_apszValue{};

    explicit CBenchValues(std::size_t length);
};

// A format line of exactly `size` bytes (LF included, at least 16): as many placeholders as fit,
// naming the 25 keys in turn, padded with text, and ended by `condition` when it is not empty
// (a condition region, which makes the whole line a condition line).
std::string BenchFormatLine(std::size_t size, const std::string& condition);

// A format file of `lines` lines of BENCH_FORMAT_LINE bytes in which every line is filled with
// placeholders and ends in a condition that holds: every line is expanded in full and none is
// written, so nothing stops the expansion early. The most work a format file can cause.
std::string BenchConditionFormat(int lines);
// A format file of `lines` lines of BENCH_FORMAT_LINE bytes that alternates condition lines
// (which hold) with placeholder lines, so that half of the lines are written.
std::string BenchWrittenFormat(int lines);
// Length of the values with which BenchWrittenFormat(lines) expands to the most output that
// fits the 65534 bytes ExpandFile can write.
std::size_t BenchWrittenValueLength(int lines);
