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

// The encoding of the command line's texts under a locale whose character set is `codeset`, as
// the C library names it: code page 932 for Shift_JIS and its Windows form, UTF-8 for any other
// (the C and POSIX locales' ASCII and an unknown locale included, so that jobs and editors
// started without a locale read UTF-8).
CliEncoding CliCodesetEncoding(std::string_view codeset);

// True when `text` is made of characters of `encoding` only. With `cutShort` (a bounded read)
// the text may end in the middle of a character.
bool CliIsText(std::string_view text, CliEncoding encoding, bool cutShort = false);

// The number of the first line (from 1) that holds bytes that are no character of `encoding`,
// or 0 when there is none.
std::size_t CliFirstLineNotText(std::string_view text, CliEncoding encoding);

// EXIT_DONE when every line of the file at `path` holding `text` is text in `encoding`; otherwise
// EXIT_ENCODING after a message naming the first line that is not, and the other encoding when
// the whole file is text in that one, or the first line that is text in neither.
int CliCheckFileText(const std::string& path, std::string_view text, CliEncoding encoding);

// Text from the command line or standard input, as code page 932. Code page 932 input goes
// through Unicode and back, as text pasted into the window does, so that a byte sequence that is
// no character becomes '?' there too.
std::string CliToCp932(std::string_view text, CliEncoding encoding);

// What turning UTF-8 `text` into code page 932 changes, as a note lists it ("「😀」→「?」、...");
// empty when nothing changes. Code page 932 text changes in no character.
std::string CliChangedCharacters(std::string_view text, CliEncoding encoding);

// Writes the note that the text `what` (UTF-8, such as "-t の値") lost characters on standard
// error, when it did.
void CliNoteChangedCharacters(const std::string& what, std::string_view text, CliEncoding encoding);

// The comment as it is written: in `encoding`, with each CR LF turned into LF unless `crlf`.
std::string CliFromCp932(std::string_view cp932, CliEncoding encoding, bool crlf);

// Reads `stream` up to its end or `limit` bytes, whichever comes first. False on a read error.
bool CliReadStream(std::FILE* stream, std::size_t limit, std::string& text);

// Writes all of `text` and flushes it. False when the stream did not take it.
bool CliWriteStream(std::FILE* stream, std::string_view text);
