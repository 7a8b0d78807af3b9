#pragma once

#include <cstddef>
#include <string>
#include <string_view>

constexpr int CLIP_OK = 0;
constexpr int CLIP_NO_TEXT = 1; // nothing, or no plain text (an image only)
constexpr int CLIP_ERROR = -1;  // there is no clipboard to read (no GUI application)

// Reads the clipboard's plain text as code page 932, at most `maxBytes` bytes, never cutting
// a double-byte character in two; NUL characters are left out.
int ClipReadText(std::string* pCp932, std::size_t maxBytes);

// Places code page 932 text on the clipboard as plain text only (everything else it held is
// dropped), each CR LF turned into the platform's line end. false when nothing was placed.
bool ClipWriteText(std::string_view cp932);
