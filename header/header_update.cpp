#include "header/header_update.h"

#include "format/format_readback.h"

#include <algorithm>
#include <array>

namespace {

// The boxes the analysis fills, which the declaration as it is now decides.
bool IsAnalysedKey(int nKey) {
    const int nFirstArg = HeaderKeyIndex(HeaderKey::FirstArg);
    if (nKey >= nFirstArg) {
        return (nKey - nFirstArg) % static_cast<int>(ArgPart::Count) !=
               static_cast<int>(ArgPart::Text);
    }
    return nKey == HeaderKeyIndex(HeaderKey::Func) || nKey == HeaderKeyIndex(HeaderKey::Ret) ||
           nKey == HeaderKeyIndex(HeaderKey::Class);
}

// A name as both analyses agree on it: without the '*' and '&' one of them puts before it.
std::string_view PlainName(std::string_view name) {
    const std::size_t start = name.find_first_not_of("*&");
    return start == std::string_view::npos ? std::string_view() : name.substr(start);
}

// One argument row of either comment: its plain name (empty when not known), whether a
// description can move from it (an old described row) or to it (a new row that holds an
// argument), and whether a partner in the other comment has been found.
struct CArgRow {
    std::string_view m_strName;
    bool m_bTakesText = false;
    bool m_bPaired = false;
};
using ArgRows = std::array<CArgRow, HEADER_ARG_ROWS>;

// Pairs every named row of `olds` with the first unpaired row of `news` of the same name,
// whether or not it was described, so that a kept argument is never taken for a renamed one; the
// row of `news` each old row went to, or -1.
std::array<int, HEADER_ARG_ROWS> PairByName(ArgRows& olds, ArgRows& news) {
    std::array<int, HEADER_ARG_ROWS> partner;
    partner.fill(-1);
    for (int o = 0; o < HEADER_ARG_ROWS; ++o) {
        for (int n = 0; n < HEADER_ARG_ROWS && !olds[o].m_strName.empty(); ++n) {
            if (!news[n].m_bPaired && news[n].m_strName == olds[o].m_strName) {
                news[n].m_bPaired = olds[o].m_bPaired = true;
                partner[o] = n;
                break;
            }
        }
    }
    return partner;
}

} // namespace

CHeaderUpdate HeaderUpdate(const CHeaderReading& old, const std::vector<CBoxValue>& current) {
    CHeaderUpdate update;
    for (HeaderKey key :
         {HeaderKey::Title, HeaderKey::RetText, HeaderKey::Developer, HeaderKey::Date}) {
        update.m_astrValues[HeaderKeyIndex(key)] = old.m_astrValues[HeaderKeyIndex(key)];
    }
    for (const CBoxValue& value : current) {
        if (value.m_nKey >= 0 && value.m_nKey < HEADER_KEY_COUNT && IsAnalysedKey(value.m_nKey)) {
            update.m_astrValues[value.m_nKey] = value.m_strText;
        }
    }

    ArgRows olds;
    ArgRows news;
    for (int i = 0; i < HEADER_ARG_ROWS; ++i) {
        const int nName = HeaderArgKeyIndex(i + 1, ArgPart::Name);
        if (!old.m_abStandIn[nName]) {
            olds[i].m_strName = PlainName(old.m_astrValues[nName]);
        }
        olds[i].m_bTakesText = old.m_abPresent[HeaderArgKeyIndex(i + 1, ArgPart::Text)];
        news[i].m_strName = PlainName(update.m_astrValues[nName]);
        // The analysis fills the name of every argument it finds, if only with a '*'.
        news[i].m_bTakesText = !update.m_astrValues[nName].empty();
    }
    std::array<int, HEADER_ARG_ROWS> partner = PairByName(olds, news);

    // A rename: one description and one new argument left over.
    const auto isLeft = [](const CArgRow& row) { return row.m_bTakesText && !row.m_bPaired; };
    if (std::count_if(olds.begin(), olds.end(), isLeft) == 1 &&
        std::count_if(news.begin(), news.end(), isLeft) == 1) {
        const auto o = std::find_if(olds.begin(), olds.end(), isLeft) - olds.begin();
        const auto n = std::find_if(news.begin(), news.end(), isLeft) - news.begin();
        partner[o] = static_cast<int>(n);
    }

    for (int o = 0; o < HEADER_ARG_ROWS; ++o) {
        const int nText = HeaderArgKeyIndex(o + 1, ArgPart::Text);
        if (!old.m_abPresent[nText]) {
            continue;
        }
        if (partner[o] >= 0) {
            update.m_astrValues[HeaderArgKeyIndex(partner[o] + 1, ArgPart::Text)] =
                old.m_astrValues[nText];
        } else if (!old.m_abStandIn[nText]) {
            // A stand-in was never anyone's text, so nothing is lost with it.
            const int nName = HeaderArgKeyIndex(o + 1, ArgPart::Name);
            update.m_vecLost.push_back(
                {old.m_abStandIn[nName] ? "" : old.m_astrValues[nName], old.m_astrValues[nText]});
        }
    }
    return update;
}

bool HeaderCommentsAgree(std::string_view first, std::string_view second) {
    return FormatCommentLines(first) == FormatCommentLines(second);
}
