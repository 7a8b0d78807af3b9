#pragma once

#include <cstddef>

// How the window's process hands its clipboard text to the keeper program: the text, UTF-8,
// arrives on the keeper's standard input up to end of file; the keeper's first process exits
// with one of these codes, the serving process living on by itself only after KEEPER_SERVING.
constexpr int KEEPER_SERVING = 0;    // a detached process now owns the clipboard with the text
constexpr int KEEPER_BAD_TEXT = 2;   // nothing to keep: no text, too long, or unreadable input
constexpr int KEEPER_NO_DISPLAY = 3; // no display connection
constexpr int KEEPER_NOT_OWNER = 4;  // the display did not give the keeper the clipboard
constexpr int KEEPER_NO_PROCESS = 5; // the serving process could not be made

// The most text one ChangeProperty request carries on any X server (at most 65535 four-byte
// units without the big-requests extension, 24 bytes of them the request's own), so that the
// keeper never needs the incremental transfer. The window's texts stay far below it: a comment
// of 65534 code page 932 bytes takes at most three times as many in UTF-8.
constexpr std::size_t KEEPER_MAX_TEXT_BYTES = 65535 * 4 - 24;
