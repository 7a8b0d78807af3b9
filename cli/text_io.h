#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// The encodings the tool reads its input and writes its comment in. Inside, all text is code
// page 932, as in the window.
enum CliEncoding {
    ENCODING_UTF8,
    ENCODING_CP932,
};

// The encoding's name as --encoding takes it.
const char* CliEncodingName(CliEncoding encoding);
// The encoding that input not valid in `encoding` most likely is in.
CliEncoding CliOtherEncoding(CliEncoding encoding);

// True when `text` is made of characters of `encoding` only. With `cutShort` (a bounded read)
// the text may end in the middle of a character.
bool CliIsText(std::string_view text, CliEncoding encoding, bool cutShort = false);

// The number of the first line (from 1) that holds bytes that are no character of `encoding`,
// or 0 when there is none.
std::size_t CliFirstLineNotText(std::string_view text, CliEncoding encoding);

// Text from the command line or standard input, as code page 932. Code page 932 input goes
// through Unicode and back, as text pasted into the window does, so that a byte sequence that is
// no character becomes '?' there too.
std::string CliToCp932(std::string_view text, CliEncoding encoding);

// The comment as it is written: in `encoding`, with each CR LF turned into LF unless `crlf`.
std::string CliFromCp932(std::string_view cp932, CliEncoding encoding, bool crlf);

// Reads `stream` up to its end or `limit` bytes, whichever comes first. False on a read error.
bool CliReadStream(std::FILE* stream, std::size_t limit, std::string& text);

// Writes all of `text` and flushes it. False when the stream did not take it.
bool CliWriteStream(std::FILE* stream, std::string_view text);
