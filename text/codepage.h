#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Code page 932 (windows-31j) conversion, the one place where the program converts text.
// Every edge (format files, settings, clipboard, form) goes through here so that all of them
// agree on the same mapping table.

// Lead bytes of code page 932 double-byte characters: 0x81-0x9F and 0xE0-0xFC.
bool TxtIsLeadByte(unsigned char byte);

// Length of the longest prefix of `text` that is at most `max` bytes long and does not end in
// the middle of a double-byte character.
std::size_t TxtCp932Cut(std::string_view text, std::size_t max);

// True when `bytes` is well-formed UTF-8 (an incomplete sequence cut off at the very end counts
// as well-formed, so that a bounded read of a file can be judged).
bool TxtIsUtf8(std::string_view bytes);
// True when `bytes` is well-formed UTF-8 through to its last byte: for text known to be whole,
// such as a stored value, where a code page 932 text ending in a byte like 0xC3 must not pass.
bool TxtIsCompleteUtf8(std::string_view bytes);

// UTF-8 to code page 932; a character that code page 932 lacks, or a malformed sequence,
// becomes '?'.
std::string TxtUtf8ToCp932(std::string_view utf8);

// The same into a caller's array, with no heap use of its own once the converter is open (on
// the first conversion of the process): converts whole characters while
// they fit in `outSize` bytes and returns the number of bytes written (no terminator). Code page
// 932 text is never longer than the UTF-8 it comes from, so `outSize` = `size` always suffices.
std::size_t TxtUtf8ToCp932(const char* in, std::size_t size, char* out, std::size_t outSize);

// Code page 932 to UTF-8; a byte sequence that is not a code page 932 character becomes '?'.
std::string TxtCp932ToUtf8(std::string_view cp932);

// The characters of well-formed UTF-8 text that do not come back unchanged from code page 932,
// each once in order of appearance, with what comes back instead (UTF-8): '?' for a character
// code page 932 lacks, a full-width twin for the few it holds under another code point (U+301C
// comes back as U+FF5E). Empty when the text survives the trip whole.
std::vector<std::pair<std::string, std::string>> TxtCp932Changes(std::string_view utf8);
