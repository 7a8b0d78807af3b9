#pragma once

// In-place edits and region operations on NUL-terminated code page 932 byte strings held in
// caller-owned arrays. Matching is byte by byte: a trail byte of a double-byte character that
// equals a searched byte matches like any other byte.

// Returned when a rewriting edit cannot get its scratch copy; the text is then unchanged.
constexpr int TXT_ENOMEM = -100;

// Copies field `index` (from 1) of `text` split at `delim` into the cleared array `out`, without a
// terminator. 0 when at least one byte was copied, -1 otherwise (out unchanged).
int TxtGetField(const char* text, char delim, int index, char* out);
// Drops the leading run of `ch`. 0, or TXT_ENOMEM with the text unchanged.
int TxtTrimLeft(char* text, char ch);
// Clears the trailing run of `ch` with NULs; never touches a byte before the text.
void TxtTrimRight(char* text, char ch);
// Left then right trim; a failed left trim still trims on the right.
void TxtTrim(char* text, char ch);
// Deletes every non-overlapping occurrence of `pattern`, leftmost first; an empty pattern matches
// nothing. 0 or TXT_ENOMEM.
int TxtRemove(char* text, const char* pattern);
int TxtCountChar(const char* text, char ch);
// Counts non-overlapping occurrences of `pattern`, leftmost first.
int TxtCount(const char* text, const char* pattern);
void TxtReplaceChar(char* text, char from, char to);
// Writes `replacement` in place of every occurrence of `pattern`; inserted text is not scanned
// again. The caller's array must hold the longest result. 0 or TXT_ENOMEM.
int TxtReplace(char* text, const char* pattern, const char* replacement);
// Keeps the first byte of every run of `ch`. 0 or TXT_ENOMEM.
int TxtSqueeze(char* text, char ch);
// 0 when every ')' closes an earlier '(' and none stays open, -1 otherwise.
int TxtCheckParens(const char* text);

// Regions run from an `open` marker to the first `close` marker after it; they do not nest.
// Number of complete (closed) regions.
int TxtCountRegions(const char* text, const char* open, const char* close);
// Copies the content of region `index` (from 1) into the cleared array `out`, without a
// terminator; an unterminated region gives its content up to the end of the text.
// 0 when at least one byte was copied, -1 otherwise (out unchanged).
int TxtGetRegion(const char* text, int index, const char* open, const char* close, char* out);
// Deletes every complete region with its markers, pass after pass, until none is left. Regions
// of any length go; an empty marker finds no region.
// 0, or -1 when a pass ran out of memory (earlier passes stay done).
int TxtRemoveRegions(char* text, const char* open, const char* close);
// As TxtRemoveRegions, with `replacement` in place of each region and its markers. The
// replacement must be shorter than the two markers together, so that the text only shrinks;
// a longer one is refused with -1 and the text unchanged.
int TxtReplaceRegions(char* text, const char* open, const char* close, const char* replacement);

// Cleans a declaration pasted from the clipboard: tabs become spaces; "/*" ... "*/" comments,
// "//" ... line-feed comments with their line feed, and the line breaks (CR LF, LF, lone CR) go;
// where such a run stood between two bytes that are not spaces it leaves one space, as a C
// compiler reads it, so that no two words are fused; runs of spaces then become one space.
// 0, or -1 when the comment removal ran out of memory (the text may be partly cleaned).
int TxtCleanPasted(char* text);
