#pragma once

#include <cstddef>

// Line pieces expanded at most; reading stops at the next one and ignores the rest of the file.
constexpr int FORMAT_LINE_LIMIT = 150;
// Bytes of one line piece: a longer line is read as several pieces, like a 512-byte line read.
constexpr std::size_t FORMAT_PIECE_SIZE = 511;
// The line area: one piece and its terminator.
constexpr std::size_t FORMAT_LINE_AREA_SIZE = FORMAT_PIECE_SIZE + 1;
// Pieces one expansion can consume: each of the 150 expanded ones may drop the piece after it,
// and one more is read to find the limit.
constexpr std::size_t FORMAT_PIECE_LIMIT = 2 * FORMAT_LINE_LIMIT + 1;
// Bytes of the file read at most: every byte of a piece can come from up to four bytes of a
// UTF-8 file (a character code page 932 lacks becomes '?'), after a three-byte byte order mark;
// one piece more keeps a character cut off by the bounded read behind everything used.
constexpr std::size_t FORMAT_READ_LIMIT = 4 * (FORMAT_PIECE_LIMIT + 1) * FORMAT_PIECE_SIZE + 3;

// The start of a format file as the expansion reads it: a UTF-8 file converted to code page 932,
// each CR LF turned into one LF as a text-mode read does, handed out in line pieces.
class CFormatText {
public:
    CFormatText() = default;
    ~CFormatText();
    CFormatText(const CFormatText&) = delete;
    CFormatText& operator=(const CFormatText&) = delete;

    // 0 when read; -1 when the path names no regular file, it cannot be opened or read, or
    // there is no memory for it. Something other than a regular file is never opened, so a FIFO or
    // a device cannot block the caller.
    int Load(const char* path);
    // Clears `line` (FORMAT_LINE_AREA_SIZE bytes) and copies the next piece into it: up to and
    // including the next LF, at most FORMAT_PIECE_SIZE bytes. False when nothing is left.
    bool NextPiece(char* line);
    // Starts the pieces again from the first, so that one loaded text can be expanded or read
    // more than once.
    void Rewind() { m_nPos = 0; }

private:
    char* m_pText = nullptr;
    std::size_t m_nLength = 0;
    std::size_t m_nPos = 0;
};
