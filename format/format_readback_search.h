#pragma once

#include "format/format_readback_model.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// The search for the best reading of a comment through a read model. It walks the pieces and the
// comment together and branches only where a key is not yet decided: at a condition on a key of
// unknown presence, at a placeholder whose value is not known yet (it can end at several
// places), and where a value shown at a line end, whose trailing blanks the comment may have
// lost, is shown again before other text. Each branch decides something of one key, so a path
// branches at most three times per key. What the search does from a branch on depends only on
// the place and on the keys still used there, which is what it remembers results by: lines that
// are ambiguous each by itself do not multiply.

// Blanks that editors strip from the end of a line.
inline bool ReadIsBlank(char c) {
    return c == ' ' || c == '\t';
}

enum class BindState : unsigned char { Undecided, Absent, Tested, Shown };

// Offsets into a comment's text, which is never longer than an expansion's output.
using ReadOffset = std::uint32_t;

// What the search knows of one key. A value's bytes stand in the comment text: where it was first
// shown, then the blanks it was found to end in where it was shown again within a line.
struct CReadBinding {
    BindState m_eState = BindState::Undecided;
    // Shown at a line end, where blanks after it would not be in the comment.
    bool m_bOpen = false;
    ReadOffset m_nHead = 0;
    ReadOffset m_nHeadLength = 0;
    ReadOffset m_nTail = 0;
    ReadOffset m_nTailLength = 0;
};

enum class SearchResult { Found, NoMatch, OverBudget };

// Bytes of the longest key a branch's result is remembered by: its place, and the state and the
// value's bytes of every key.
constexpr std::size_t MEMO_KEY_MAX =
    4 * sizeof(std::uint32_t) + 1 + READBACK_KEY_LIMIT * (2 + 4 * sizeof(ReadOffset));

class CReadSearch {
public:
    // `text` is the comment as FormatCommentLines gives it; the search takes at most nBudget
    // steps. All three must outlive the search.
    CReadSearch(const CReadModel& model, const std::vector<CReadBackKey>& keys,
                const std::string& text, std::size_t nBudget);

    // Found with the chosen reading's bindings, one per key; otherwise `bindings` is untouched
    // and FurthestPiece and FurthestText tell where the search got furthest.
    SearchResult Run(std::vector<CReadBinding>& bindings);
    std::size_t FurthestPiece() const { return m_nFurthestPiece; }
    std::size_t FurthestText() const { return m_nFurthestText; }

    // The value a key takes under `binding`: empty for an absent key.
    std::string Value(const CReadBinding& binding) const;

private:
    struct CPos {
        std::uint32_t m_nPiece = 0;
        std::uint32_t m_nItem = 0; // items of the piece already matched
        std::int32_t m_nCount = 0; // pieces the expansion counted before this one
        ReadOffset m_nText = 0;    // comment bytes matched
        bool m_bLineOpen = false;  // the expansion wrote bytes since its last LF
    };
    // Where a walk stops: it may go on, needs a choice, has read the whole comment, or failed.
    enum class Stop { Go, Branch, End, Fail };
    // The reading's merits over some keys, compared first by agreement, then by keys present or
    // absent as the caller expects them, then by plain names.
    struct CScore {
        int m_nAgreed = 0;
        int m_nPresence = 0;
        int m_nPlainNames = 0;

        bool Beats(const CScore& other) const {
            if (m_nAgreed != other.m_nAgreed) {
                return m_nAgreed > other.m_nAgreed;
            }
            return m_nPresence != other.m_nPresence ? m_nPresence > other.m_nPresence
                                                    : m_nPlainNames > other.m_nPlainNames;
        }
    };
    // A value's bytes, which may stand in two places of the comment.
    struct CParts {
        std::string_view m_strHead;
        std::string_view m_strTail;
    };
    struct COption {
        int m_nKey;
        CReadBinding m_binding;
    };
    struct CMemo {
        std::optional<CScore> m_score;
        std::size_t m_nOption;
    };

    CParts Parts(const CReadBinding& binding) const;
    Stop Advance(CPos& pos);
    bool MatchBytes(const char* bytes, std::size_t length, CPos& pos) const;
    Stop MatchShown(int nKey, CPos& pos);
    std::optional<CScore> Explore(CPos pos, ReadKeyMask mask);
    std::optional<CScore> Branch(const CPos& pos);
    Stop Choose(const CPos& pos);
    void AddOptions(const CPos& pos);
    const char* NextLiteral(const CPos& pos) const;
    bool NextFits(const CPos& pos, ReadOffset at) const;
    void AddValueOptions(const CPos& pos, int nKey);
    CScore Merits(ReadKeyMask mask) const;
    std::string_view MemoKey(const CPos& pos);
    void Bind(int nKey, const CReadBinding& binding);
    void Unbind(std::size_t nMark);
    bool Spend();
    Stop Fail(const CPos& pos);

    const CReadModel& m_model;
    const std::vector<CReadBackKey>& m_vecKeys;
    const std::string& m_strText;
    std::size_t m_nBudget;
    std::size_t m_nSteps = 0;
    bool m_bSpent = false;
    // The 150-line limit can only be met in a file with more pieces; otherwise the count is left
    // out of what results are remembered by.
    bool m_bCountMatters;
    std::vector<CReadBinding> m_vecBindings;
    // The bindings each change replaced, so that a branch can try its next choice.
    std::vector<std::pair<int, CReadBinding>> m_vecUndo;
    // The choices of every branch being tried, the innermost last, and how many the newest has.
    std::vector<COption> m_vecOptions;
    std::size_t m_nBranchOptions = 0;
    // Results of the branches tried, by MemoKey; the keys' bytes stay in place in m_deqKeys.
    std::unordered_map<std::string_view, CMemo> m_mapMemo;
    std::deque<std::string> m_deqKeys;
    char m_achKey[MEMO_KEY_MAX];
    // Where a character of the comment begins: a value never holds half of a double-byte one.
    std::vector<bool> m_vecCharStart;
    // Where a value that begins at each byte of the comment must end at the latest.
    std::vector<ReadOffset> m_vecValueEnd;
    std::size_t m_nFurthestPiece = 0;
    std::size_t m_nFurthestText = 0;
};
