#pragma once

#include "format/field_list.h"
#include "format/format_regions.h"

#include <cstddef>

// The two ways one line piece is expanded, and what they share. Only the expansion and its
// tests include this.

// Bytes of work text the placeholder edits of one expansion may go over. Values without
// placeholders of their own stay far below it: what a pass goes over either ends up in the
// output, which holds 65534 bytes, or fills it and ends the expansion, so they need at most
// 127 passes over 65534 + 150 * 511 bytes and 127 over one full working area, about 35 MiB.
// Values that keep bringing in placeholders could otherwise take minutes.
constexpr std::size_t EXPAND_EDIT_BUDGET = 64 * 1024 * 1024;

// What the expansion of one line piece did: appended it to the output, or read it as a
// condition line that keeps or drops the piece after it.
enum class LineResult { Appended, KeepNext, SkipNext };

// What a region's key says of the piece after its line: nothing, for a placeholder, or that the
// piece is kept or dropped.
enum class ConditionResult { None, KeepNext, SkipNext };

// Whether the direct way expanded a line. Declined when it cannot vouch for the pass-by-pass
// result; NoMemory when it could have, but had no memory for the filled line.
enum class DirectResult { Taken, Declined, NoMemory };

// Keys whose value one expansion remembers for the direct way: a format file names a few dozen.
constexpr std::size_t EXPAND_REMEMBERED_KEYS = 64;
// Room for a remembered key and its terminator; a longer key is looked up on every line. The
// keys the form supplies have at most 14 bytes.
constexpr std::size_t EXPAND_REMEMBERED_KEY_SIZE = 32;

// What the direct way needs to know of the value of a key. It holds for the whole expansion:
// the field list does not change during one. Plain data, so that the regions of a line that
// hold it cost nothing to set up.
struct CValueFacts {
    // Bytes the value puts in the line: 0 for an empty value and for a key not in the list.
    std::size_t m_nLength;
    char m_chFirst;
    char m_chLast;
    bool m_bHoldsOpenMarker;
};

struct CRememberedValue {
    bool m_bUsed = false;
    std::size_t m_nHash = 0;
    char m_szKey[EXPAND_REMEMBERED_KEY_SIZE] = {};
    CValueFacts m_facts{};
};

// What one expansion carries from line to line besides the output.
struct CExpandRun {
    // Bytes of work text that placeholder edits have gone over so far.
    std::size_t m_nEditBytes = 0;
    // Set once the output could not take a whole line.
    bool m_bOutputFull = false;
    // Bytes of text in the output, so that appending a line need not measure it again.
    std::size_t m_nOutputLength = 0;
    // Values the direct way has looked up, by the hash of their key.
    CRememberedValue m_aRemembered[EXPAND_REMEMBERED_KEYS];
};

// One line piece as ExpandLine describes it: pass after pass over the work text. A line that
// has no memory for its working area, or a placeholder that has none for its edit, is written as
// it stands.
LineResult ExpandLineByPasses(const CFieldList& list, const char* line, char* output,
                              CExpandRun& run);

// The same line in one scan, for lines and values that no pass could treat differently from a
// plain left-to-right fill: Taken with `result` set. Declined or NoMemory, with `run`, `output`
// and `result` untouched, for all others.
DirectResult ExpandLineDirect(const CFieldList& list, const char* line, char* output,
                              CExpandRun& run, LineResult& result);

// What the key text in `key`, `length` bytes and a terminator, says as a condition: for a
// condition its key is looked up, the prefix removed from `key` wherever it occurs. None, with
// `key` as it was, for a placeholder.
ConditionResult ExpandCondition(const CFieldList& list, char* key, std::size_t length);

// The result of a line whose first handled region is the condition `condition` (not None).
LineResult ConditionLine(ConditionResult condition);

// Appends `text` to the output, which holds `length` bytes, each LF written as CR LF, and
// updates `length`. What would pass the output's last text byte is left off, and so is a
// double-byte character or a CR LF that would be cut in two. True when all of the text went in.
bool ExpandAppendCrLf(char* output, std::size_t& length, const char* text);
