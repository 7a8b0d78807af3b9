#pragma once

#include "format/format_readback.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A format file as the read-back walks it. For values that hold no marker and no line break, the
// expansion of a piece is a left-to-right fill: a condition line writes nothing and decides
// whether the next piece is dropped, any other piece writes its literal bytes and the values of
// its placeholders in turn, and a piece without an LF runs on into the next one written.

// The keys a piece and the pieces after it use, one bit per listed key.
using ReadKeyMask = std::uint64_t;
static_assert(READBACK_KEY_LIMIT <= 64);

// What a condition tests when its key is no listed key: one no field has, or the empty key,
// which is always present.
constexpr int READ_KEY_NEVER = -1;
constexpr int READ_KEY_ALWAYS = -2;
// The key of an item that is literal text.
constexpr int READ_KEY_LITERAL = -1;

struct CReadItem {
    int m_nKey; // the listed key a placeholder shows, or READ_KEY_LITERAL
    // Literal bytes, in CReadModel::m_strLiterals.
    std::size_t m_nText;
    std::size_t m_nLength;
};

struct CReadPiece {
    int m_nLine; // the format file's line the piece is read from, from 1
    bool m_bCondition;
    int m_nKey; // a condition's key: a listed key, READ_KEY_NEVER or READ_KEY_ALWAYS
    bool m_bIf; // a condition keeps the next piece when its key is present (IFN: absent)
    // A template's items, in CReadModel::m_vecItems.
    std::size_t m_nFirstItem;
    std::size_t m_nItemEnd;
    ReadKeyMask m_maskFromHere;
};

struct CReadModel {
    std::vector<CReadPiece> m_vecPieces;
    std::vector<CReadItem> m_vecItems;
    std::string m_strLiterals;
    // The line after the last piece, where a comment that goes on is blamed.
    int m_nEndLine = 1;
    // Placeholders of the fullest piece, which sets how many ways a line may be read.
    std::size_t m_nMostPlaceholders = 0;

    int LineOf(std::size_t nPiece) const {
        return nPiece < m_vecPieces.size() ? m_vecPieces[nPiece].m_nLine : m_nEndLine;
    }
};

// Reads every piece of `format` that an expansion can reach, from the first, into `model`;
// placeholders of keys not in `keys` (at most READBACK_KEY_LIMIT) write nothing and vanish.
void ReadModelBuild(CFormatText& format, const std::vector<CReadBackKey>& keys, CReadModel& model);
