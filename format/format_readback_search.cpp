#include "format/format_readback_search.h"

#include "format/field_list.h"
#include "format/format_read.h"
#include "text/codepage.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Bytes a value can have: what a field holds.
constexpr ReadOffset VALUE_MAX = FIELD_TEXT_SIZE - 1;

bool IsOpenMarker(const char* pair) {
    return pair[0] == '<' && pair[1] == '@';
}

bool IsMarker(const char* pair) {
    return IsOpenMarker(pair) || (pair[0] == '@' && pair[1] == '>');
}

} // namespace

CReadSearch::CReadSearch(const CReadModel& model, const std::vector<CReadBackKey>& keys,
                         const std::string& text, std::size_t nBudget)
    : m_model(model), m_vecKeys(keys), m_strText(text), m_nBudget(nBudget),
      m_bCountMatters(model.m_vecPieces.size() > static_cast<std::size_t>(FORMAT_LINE_LIMIT)),
      m_vecBindings(keys.size()), m_vecCharStart(text.size() + 1, true),
      m_vecValueEnd(text.size() + 1) {
    // A lead byte takes the byte after it, unless that ends the line.
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (TxtIsLeadByte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\n') {
            m_vecCharStart[++i] = false;
        }
    }
    // A value stops before a line end, a CR or a NUL, and within a marker.
    const auto size = static_cast<ReadOffset>(text.size());
    m_vecValueEnd[size] = size;
    for (ReadOffset i = size; i-- > 0;) {
        const char c = text[i];
        m_vecValueEnd[i] = c == '\n' || c == '\r' || c == '\0' ? i
                           : IsMarker(text.c_str() + i)        ? i + 1
                                                               : m_vecValueEnd[i + 1];
    }
}

SearchResult CReadSearch::Run(std::vector<CReadBinding>& bindings) {
    const ReadKeyMask all =
        m_model.m_vecPieces.empty() ? 0 : m_model.m_vecPieces.front().m_maskFromHere;
    const bool bFound = Explore(CPos(), all).has_value();
    // A search that spends its budget winds up without a reading, found or not.
    if (!bFound) {
        return m_bSpent ? SearchResult::OverBudget : SearchResult::NoMatch;
    }
    // The way back through the remembered choices repeats steps already counted.
    m_nBudget = std::numeric_limits<std::size_t>::max();
    Unbind(0);
    CPos pos;
    while (Advance(pos) == Stop::Branch) {
        const COption option = m_vecOptions[m_mapMemo.at(MemoKey(pos)).m_nOption];
        m_vecOptions.clear();
        Bind(option.m_nKey, option.m_binding);
    }
    bindings = m_vecBindings;
    return SearchResult::Found;
}

CReadSearch::CParts CReadSearch::Parts(const CReadBinding& binding) const {
    if (binding.m_eState != BindState::Shown) {
        return {binding.m_eState == BindState::Tested ? READBACK_STAND_IN : "", {}};
    }
    // A value that stood against nothing but the blanks at a line end: one blank gives that.
    if (binding.m_nHeadLength + binding.m_nTailLength == 0) {
        return {" ", {}};
    }
    const std::string_view text = m_strText;
    return {text.substr(binding.m_nHead, binding.m_nHeadLength),
            text.substr(binding.m_nTail, binding.m_nTailLength)};
}

std::string CReadSearch::Value(const CReadBinding& binding) const {
    const CParts parts = Parts(binding);
    return std::string(parts.m_strHead).append(parts.m_strTail);
}

bool CReadSearch::Spend() {
    m_bSpent = m_bSpent || ++m_nSteps > m_nBudget;
    return !m_bSpent;
}

CReadSearch::Stop CReadSearch::Fail(const CPos& pos) {
    if (pos.m_nText > m_nFurthestText ||
        (pos.m_nText == m_nFurthestText && pos.m_nPiece > m_nFurthestPiece)) {
        m_nFurthestText = pos.m_nText;
        m_nFurthestPiece = pos.m_nPiece;
    }
    return Stop::Fail;
}

void CReadSearch::Bind(int nKey, const CReadBinding& binding) {
    m_vecUndo.emplace_back(nKey, m_vecBindings[nKey]);
    m_vecBindings[nKey] = binding;
}

// Takes back every change of a binding made since the undo log held nMark entries.
void CReadSearch::Unbind(std::size_t nMark) {
    while (m_vecUndo.size() > nMark) {
        m_vecBindings[m_vecUndo.back().first] = m_vecUndo.back().second;
        m_vecUndo.pop_back();
    }
}

// Expansion bytes against the comment: each matches its byte, or is a blank that stands where
// the comment's line ends, as blanks do that an editor stripped.
bool CReadSearch::MatchBytes(const char* bytes, std::size_t length, CPos& pos) const {
    if (length == 0) {
        return true;
    }
    const char* text = m_strText.c_str();
    pos.m_bLineOpen = bytes[length - 1] != '\n';
    // Most text stands in the comment as it is.
    if (length <= m_strText.size() - pos.m_nText &&
        std::memcmp(text + pos.m_nText, bytes, length) == 0) {
        pos.m_nText += static_cast<ReadOffset>(length);
        return true;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (pos.m_nText < m_strText.size() && text[pos.m_nText] == bytes[i]) {
            ++pos.m_nText;
        } else if (!ReadIsBlank(bytes[i]) || text[pos.m_nText] != '\n') {
            return false;
        }
    }
    return true;
}

// A known value shown again. One that may end in blanks the comment lost keeps them open at a
// line end, lets the blanks the comment holds here decide (a branch), or has none.
CReadSearch::Stop CReadSearch::MatchShown(int nKey, CPos& pos) {
    const CReadBinding& binding = m_vecBindings[nKey];
    CPos after = pos;
    if (!MatchBytes(m_strText.c_str() + binding.m_nHead, binding.m_nHeadLength, after) ||
        !MatchBytes(m_strText.c_str() + binding.m_nTail, binding.m_nTailLength, after)) {
        return Stop::Fail;
    }
    const char next = m_strText.c_str()[after.m_nText];
    if (binding.m_bOpen && next != '\n') {
        if (ReadIsBlank(next)) {
            return Stop::Branch;
        }
        if (binding.m_nHeadLength == 0) {
            return Stop::Fail;
        }
        CReadBinding closed = binding;
        closed.m_bOpen = false;
        Bind(nKey, closed);
    }
    after.m_bLineOpen = after.m_bLineOpen || m_vecBindings[nKey].m_bOpen;
    pos = after;
    return Stop::Go;
}

// Goes on from `pos` for as long as the bindings decide every step: to the branch that needs a
// choice, to the end of a reading of the whole comment, or to a mismatch.
CReadSearch::Stop CReadSearch::Advance(CPos& pos) {
    const std::vector<CReadPiece>& pieces = m_model.m_vecPieces;
    for (;;) {
        if (pos.m_nPiece >= pieces.size() ||
            (pos.m_nItem == 0 && pos.m_nCount >= FORMAT_LINE_LIMIT)) {
            // A last line without a line end ends the comment's last line all the same.
            const std::size_t rest = m_strText.size() - pos.m_nText;
            return rest == 0 || (rest == 1 && pos.m_bLineOpen) ? Stop::End : Fail(pos);
        }
        if (!Spend()) {
            return Stop::Fail;
        }
        const CReadPiece& piece = pieces[pos.m_nPiece];
        if (piece.m_bCondition) {
            bool bPresent = piece.m_nKey == READ_KEY_ALWAYS;
            if (piece.m_nKey >= 0) {
                const BindState state = m_vecBindings[piece.m_nKey].m_eState;
                if (state == BindState::Undecided) {
                    return Choose(pos); // present or absent: always a branch
                }
                bPresent = state != BindState::Absent;
            }
            ++pos.m_nCount;
            pos.m_nPiece += bPresent == piece.m_bIf ? 1 : 2;
            continue;
        }
        if (piece.m_nFirstItem + pos.m_nItem == piece.m_nItemEnd) {
            ++pos.m_nCount;
            ++pos.m_nPiece;
            pos.m_nItem = 0;
            continue;
        }
        const CReadItem& item = m_model.m_vecItems[piece.m_nFirstItem + pos.m_nItem];
        if (item.m_nKey == READ_KEY_LITERAL) {
            if (!MatchBytes(m_model.m_strLiterals.c_str() + item.m_nText, item.m_nLength, pos)) {
                return Fail(pos);
            }
        } else if (const BindState state = m_vecBindings[item.m_nKey].m_eState;
                   state != BindState::Absent) {
            // A value not known yet, or one whose trailing blanks are not: a choice, which goes
            // on from the same item once it is made.
            const Stop shown =
                state == BindState::Shown ? MatchShown(item.m_nKey, pos) : Stop::Branch;
            if (shown == Stop::Fail) {
                return Fail(pos);
            }
            if (shown == Stop::Branch) {
                const Stop chosen = Choose(pos);
                if (chosen != Stop::Go) {
                    return chosen;
                }
                continue;
            }
        }
        ++pos.m_nItem;
    }
}

// Lists the choices at `pos`: none fails, a single one is made at once, several are a branch
// whose choices stay on top of m_vecOptions.
CReadSearch::Stop CReadSearch::Choose(const CPos& pos) {
    const std::size_t nFirst = m_vecOptions.size();
    AddOptions(pos);
    m_nBranchOptions = m_vecOptions.size() - nFirst;
    if (m_nBranchOptions > 1) {
        return Stop::Branch;
    }
    if (m_nBranchOptions == 0) {
        return m_bSpent ? Stop::Fail : Fail(pos);
    }
    const COption option = m_vecOptions.back();
    m_vecOptions.pop_back();
    Bind(option.m_nKey, option.m_binding);
    return Stop::Go;
}

// The merits of the keys in `mask`, whose values are final.
CReadSearch::CScore CReadSearch::Merits(ReadKeyMask mask) const {
    CScore score;
    for (std::size_t k = 0; mask != 0; ++k, mask >>= 1) {
        const CReadBackKey& key = m_vecKeys[k];
        if ((mask & 1) == 0 || (!key.m_bPreferred && !key.m_bName)) {
            continue;
        }
        const CParts parts = Parts(m_vecBindings[k]);
        const std::string_view preferred = key.m_strPreferred;
        const std::size_t headLength = parts.m_strHead.size();
        if (key.m_bPreferred && preferred.size() == headLength + parts.m_strTail.size() &&
            preferred.substr(0, headLength) == parts.m_strHead &&
            preferred.substr(headLength) == parts.m_strTail) {
            ++score.m_nAgreed;
        }
        // A value that differs still says more when it is there where one is expected: a
        // return type changed since the comment was made is no reason to read it as a
        // description.
        const bool bPresent = m_vecBindings[k].m_eState == BindState::Shown ||
                              m_vecBindings[k].m_eState == BindState::Tested;
        if (key.m_bPreferred && bPresent == !preferred.empty()) {
            ++score.m_nPresence;
        }
        const auto plain = [](std::string_view part) {
            return part.find_first_of(" \t") == std::string_view::npos;
        };
        if (key.m_bName && plain(parts.m_strHead) && plain(parts.m_strTail)) {
            ++score.m_nPlainNames;
        }
    }
    return score;
}

// The best merits of the keys in `mask` over every reading that goes on from `pos`.
std::optional<CReadSearch::CScore> CReadSearch::Explore(CPos pos, ReadKeyMask mask) {
    const Stop stop = Advance(pos);
    if (stop == Stop::Fail) {
        return std::nullopt;
    }
    const ReadKeyMask later =
        stop == Stop::End ? 0 : m_model.m_vecPieces[pos.m_nPiece].m_maskFromHere;
    CScore score = Merits(mask & ~later);
    if (stop == Stop::Branch) {
        const std::optional<CScore> rest = Branch(pos);
        if (!rest) {
            return std::nullopt;
        }
        score.m_nAgreed += rest->m_nAgreed;
        score.m_nPresence += rest->m_nPresence;
        score.m_nPlainNames += rest->m_nPlainNames;
    }
    return score;
}

// Tries every choice at a branch in order and keeps the first with the best merits.
std::optional<CReadSearch::CScore> CReadSearch::Branch(const CPos& pos) {
    const std::size_t nEnd = m_vecOptions.size();
    const std::size_t nFirst = nEnd - m_nBranchOptions;
    // A branch costs a step, remembered or not. Once the budget is spent no choice is tried
    // and the search only winds up to Run, which reports it.
    Spend();
    const std::string_view key = MemoKey(pos);
    if (const auto found = m_mapMemo.find(key); found != m_mapMemo.end()) {
        m_vecOptions.resize(nFirst);
        return found->second.m_score;
    }
    // The entry stays where it is while the map grows, so it is filled in once the choices are
    // tried; nothing met on the way can ask for it, since every step goes forward.
    CMemo& memo =
        m_mapMemo.emplace(m_deqKeys.emplace_back(key), CMemo{std::nullopt, 0}).first->second;
    const std::size_t nMark = m_vecUndo.size();
    const ReadKeyMask mask = m_model.m_vecPieces[pos.m_nPiece].m_maskFromHere;
    for (std::size_t i = nFirst; i < nEnd && Spend(); ++i) {
        const COption option = m_vecOptions[i];
        Bind(option.m_nKey, option.m_binding);
        const std::optional<CScore> score = Explore(pos, mask);
        Unbind(nMark);
        if (score && (!memo.m_score || score->Beats(*memo.m_score))) {
            memo = {score, i - nFirst};
        }
    }
    m_vecOptions.resize(nFirst);
    // A branch cut short by the budget has no result to remember; the search ends anyway.
    return m_bSpent ? std::nullopt : memo.m_score;
}

// The choices at a branch in the order that decides between readings of equal merits: a
// condition's key present first, so that filled argument rows read as the first ones; a
// placeholder's shortest value (absence) first.
void CReadSearch::AddOptions(const CPos& pos) {
    const CReadPiece& piece = m_model.m_vecPieces[pos.m_nPiece];
    if (piece.m_bCondition) {
        m_vecOptions.push_back({piece.m_nKey, {BindState::Tested}});
        m_vecOptions.push_back({piece.m_nKey, {BindState::Absent}});
        return;
    }
    const int nKey = m_model.m_vecItems[piece.m_nFirstItem + pos.m_nItem].m_nKey;
    const CReadBinding& binding = m_vecBindings[nKey];
    if (binding.m_eState != BindState::Shown) {
        if (binding.m_eState == BindState::Undecided && NextFits(pos, pos.m_nText)) {
            m_vecOptions.push_back({nKey, {BindState::Absent}});
        }
        AddValueOptions(pos, nKey);
        return;
    }
    // The value ends in as many of the blanks that follow it here as it takes.
    CPos after = pos;
    MatchBytes(m_strText.c_str() + binding.m_nHead, binding.m_nHeadLength, after);
    const char* text = m_strText.c_str();
    CReadBinding closed = binding;
    closed.m_bOpen = false;
    closed.m_nTail = after.m_nText;
    for (ReadOffset blanks = binding.m_nHeadLength == 0 ? 1 : 0;
         binding.m_nHeadLength + blanks <= VALUE_MAX &&
         (blanks == 0 || ReadIsBlank(text[after.m_nText + blanks - 1]));
         ++blanks) {
        closed.m_nTailLength = blanks;
        m_vecOptions.push_back({nKey, closed});
    }
}

// The literal text right after the placeholder at `pos` in its piece, or null.
const char* CReadSearch::NextLiteral(const CPos& pos) const {
    const CReadPiece& piece = m_model.m_vecPieces[pos.m_nPiece];
    const std::size_t nNext = piece.m_nFirstItem + pos.m_nItem + 1;
    if (nNext < piece.m_nItemEnd && m_model.m_vecItems[nNext].m_nKey == READ_KEY_LITERAL) {
        return m_model.m_strLiterals.c_str() + m_model.m_vecItems[nNext].m_nText;
    }
    return nullptr;
}

// Whether the literal text after the placeholder at `pos`, if any, stands at comment byte `at`.
bool CReadSearch::NextFits(const CPos& pos, ReadOffset at) const {
    const char* pLiteral = NextLiteral(pos);
    if (pLiteral == nullptr) {
        return true;
    }
    const CReadPiece& piece = m_model.m_vecPieces[pos.m_nPiece];
    CPos after = pos;
    after.m_nText = at;
    return MatchBytes(pLiteral, m_model.m_vecItems[piece.m_nFirstItem + pos.m_nItem + 1].m_nLength,
                      after);
}

// Every value a placeholder can show from `pos` on: whole characters up to each place within the
// line where the text after the placeholder can go on, never taking in a marker, a CR or a NUL,
// nor meeting the text around it in a marker. At a line end only blanks, which the comment no
// longer holds.
void CReadSearch::AddValueOptions(const CPos& pos, int nKey) {
    const char* text = m_strText.c_str();
    const ReadOffset start = pos.m_nText;
    CReadBinding value{BindState::Shown, true, start, 0, 0, 0};
    if (text[start] == '\n') {
        m_vecOptions.push_back({nKey, value});
        return;
    }
    if (start >= m_strText.size() || !m_vecCharStart[start] ||
        (start > 0 && IsOpenMarker(text + start - 1))) {
        return;
    }
    const ReadOffset limit = std::min(m_vecValueEnd[start], start + VALUE_MAX);
    // The literal text that follows in the same piece must stand where the value ends, so only
    // the places that hold its first byte are tried.
    const char* pLiteral = NextLiteral(pos);
    const auto next = [&](ReadOffset from) -> ReadOffset {
        if (pLiteral == nullptr || from > limit) {
            return from;
        }
        const void* hit = std::memchr(text + from, pLiteral[0], limit + 1 - from);
        if (hit != nullptr) {
            return static_cast<ReadOffset>(static_cast<const char*>(hit) - text);
        }
        // Blanks that begin the literal may stand where the comment's line ends.
        return ReadIsBlank(pLiteral[0]) && text[limit] == '\n' ? limit : limit + 1;
    };
    for (ReadOffset end = next(start + 1); end <= limit && Spend(); end = next(end + 1)) {
        if (m_vecCharStart[end] && !IsOpenMarker(text + end - 1) && NextFits(pos, end)) {
            value.m_nHeadLength = end - start;
            value.m_bOpen = text[end] == '\n';
            m_vecOptions.push_back({nKey, value});
        }
    }
}

// The place and the bindings of the keys used from there on: all a branch's result depends on.
std::string_view CReadSearch::MemoKey(const CPos& pos) {
    // Written in place: a key is made for every branch, and appending field by field to a string
    // was much of a search's time.
    char* const start = m_achKey;
    char* out = start;
    const auto put = [&out](const auto& value) {
        std::memcpy(out, &value, sizeof value);
        out += sizeof value;
    };
    put(pos.m_nPiece);
    put(pos.m_nItem);
    put(m_bCountMatters ? pos.m_nCount : 0);
    put(pos.m_nText);
    put(pos.m_bLineOpen);
    ReadKeyMask mask = m_model.m_vecPieces[pos.m_nPiece].m_maskFromHere;
    for (std::size_t k = 0; mask != 0; ++k, mask >>= 1) {
        if ((mask & 1) == 0) {
            continue;
        }
        const CReadBinding& binding = m_vecBindings[k];
        put(binding.m_eState);
        if (binding.m_eState == BindState::Shown) {
            put(binding.m_bOpen);
            put(binding.m_nHead);
            put(binding.m_nHeadLength);
            put(binding.m_nTail);
            put(binding.m_nTailLength);
        }
    }
    return std::string_view(start, static_cast<std::size_t>(out - start));
}
