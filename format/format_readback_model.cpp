#include "format/format_readback_model.h"

#include "format/format_read.h"
#include "format/format_regions.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

// The listed key named `name`: the first of that name, as a field list finds the first field.
int FindKey(const std::vector<CReadBackKey>& keys, std::string_view name) {
    if (name.empty()) {
        return READ_KEY_ALWAYS;
    }
    const auto found = std::find_if(keys.begin(), keys.end(),
                                    [&](const CReadBackKey& key) { return key.m_strName == name; });
    return found != keys.end() ? static_cast<int>(found - keys.begin()) : READ_KEY_NEVER;
}

// The kind of a region's key text, and the key a condition looks up.
RegionKind ReadKind(std::string_view text, std::string& key) {
    char area[FORMAT_LINE_AREA_SIZE] = {};
    std::size_t length = text.size();
    std::memcpy(area, text.data(), length);
    const RegionKind kind = FormatReadKey(area, length);
    key.assign(area, length);
    return kind;
}

class CPieceReader {
public:
    CPieceReader(const std::vector<CReadBackKey>& keys, CReadModel& model)
        : m_vecKeys(keys), m_model(model) {}

    void Read(std::string_view text, int nLine) {
        m_vecRegions.clear();
        const CFormatRegion* pUnclosed = nullptr;
        CFormatRegion region{};
        for (std::size_t from = 0; FormatNextRegion(text, from, region);
             from = FormatRegionEnd(region)) {
            m_vecRegions.push_back(region);
            if (!region.m_bClosed) {
                pUnclosed = &m_vecRegions.back();
                break;
            }
        }
        CReadPiece piece{nLine, false, READ_KEY_NEVER, false, m_model.m_vecItems.size(), 0, 0};
        if (!ReadCondition(text, pUnclosed, piece)) {
            ReadTemplate(text, piece);
        }
        piece.m_nItemEnd = m_model.m_vecItems.size();
        m_model.m_vecPieces.push_back(piece);
    }

private:
    // The first closed region that reads as a condition decides. Without one, passes left over
    // by placeholders that stand twice read the unclosed rest, which can be a condition too.
    bool ReadCondition(std::string_view text, const CFormatRegion* pUnclosed, CReadPiece& piece) {
        // The key texts of the passes so far: a line holds a few regions.
        std::vector<std::string_view> passes;
        std::string key;
        for (const CFormatRegion& region : m_vecRegions) {
            const std::string_view keyText = text.substr(region.m_nKey, region.m_nKeyLength);
            if (&region == pUnclosed) {
                if (passes.size() == m_vecRegions.size() - 1) {
                    return false;
                }
            } else if (std::find(passes.begin(), passes.end(), keyText) != passes.end()) {
                continue;
            } else {
                passes.push_back(keyText);
            }
            const RegionKind kind = ReadKind(keyText, key);
            if (kind != RegionKind::Placeholder) {
                piece.m_bCondition = true;
                piece.m_bIf = kind == RegionKind::If;
                piece.m_nKey = FindKey(m_vecKeys, key);
                if (piece.m_nKey >= 0) {
                    piece.m_maskFromHere = ReadKeyMask{1} << piece.m_nKey;
                }
                return true;
            }
        }
        return false;
    }

    void ReadTemplate(std::string_view text, CReadPiece& piece) {
        std::size_t from = 0;
        std::size_t placeholders = 0;
        for (const CFormatRegion& region : m_vecRegions) {
            if (!region.m_bClosed) {
                break;
            }
            AddLiteral(text.substr(from, region.m_nOpen - from), piece);
            from = FormatRegionEnd(region);
            const int nKey = FindKey(m_vecKeys, text.substr(region.m_nKey, region.m_nKeyLength));
            if (nKey >= 0) {
                m_model.m_vecItems.push_back({nKey, 0, 0});
                piece.m_maskFromHere |= ReadKeyMask{1} << nKey;
                ++placeholders;
            }
        }
        AddLiteral(text.substr(from), piece);
        m_model.m_nMostPlaceholders = std::max(m_model.m_nMostPlaceholders, placeholders);
    }

    // Literal text joins the literal before it, where a vanished placeholder stood between them.
    void AddLiteral(std::string_view literal, const CReadPiece& piece) {
        if (literal.empty()) {
            return;
        }
        std::vector<CReadItem>& items = m_model.m_vecItems;
        if (items.size() > piece.m_nFirstItem && items.back().m_nKey == READ_KEY_LITERAL) {
            items.back().m_nLength += literal.size();
        } else {
            items.push_back({READ_KEY_LITERAL, m_model.m_strLiterals.size(), literal.size()});
        }
        m_model.m_strLiterals += literal;
    }

    const std::vector<CReadBackKey>& m_vecKeys;
    CReadModel& m_model;
    std::vector<CFormatRegion> m_vecRegions;
};

} // namespace

void ReadModelBuild(CFormatText& format, const std::vector<CReadBackKey>& keys, CReadModel& model) {
    model = CReadModel();
    CPieceReader reader(keys, model);
    char line[FORMAT_LINE_AREA_SIZE];
    int nLine = 1;
    format.Rewind();
    while (model.m_vecPieces.size() < FORMAT_PIECE_LIMIT && format.NextPiece(line)) {
        // The expansion sees the piece up to a NUL; the file's line ends at its LF all the same.
        reader.Read(std::string_view(line, std::strlen(line)), nLine);
        model.m_nEndLine = nLine + 1;
        if (std::memchr(line, '\n', FORMAT_PIECE_SIZE) != nullptr) {
            ++nLine;
        }
    }
    // What a piece uses, with what every later piece uses.
    ReadKeyMask mask = 0;
    for (auto piece = model.m_vecPieces.rbegin(); piece != model.m_vecPieces.rend(); ++piece) {
        mask |= piece->m_maskFromHere;
        piece->m_maskFromHere = mask;
    }
}
