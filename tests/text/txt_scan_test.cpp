#include "tests/text/text_buffer.h"
#include "text/txt.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

// The searching edits skip ahead to where a pattern can begin instead of comparing at every
// byte. Here they are checked against plain byte-by-byte scans on many random texts made of the
// markers' own bytes, so that matches, near misses, overlaps and joins all occur often.

namespace {

bool MatchesAt(const std::string& text, std::size_t at, const std::string& pattern) {
    return text.compare(at, pattern.size(), pattern) == 0;
}

int PlainCount(const std::string& text, const std::string& pattern) {
    int count = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (MatchesAt(text, at, pattern)) {
            ++count;
            at += pattern.size();
        } else {
            ++at;
        }
    }
    return count;
}

std::string PlainReplace(const std::string& text, const std::string& pattern,
                         const std::string& replacement) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        if (MatchesAt(text, at, pattern)) {
            out += replacement;
            at += pattern.size();
        } else {
            out += text[at++];
        }
    }
    return out;
}

struct CPlainScan {
    int m_nComplete = 0;
    std::string m_strContent;
};

// The region walk a byte at a time: an open marker is looked for only outside a region, a
// close marker only inside.
CPlainScan PlainRegions(const std::string& text, const std::string& open, const std::string& close,
                        int index) {
    CPlainScan scan;
    bool inside = false;
    int region = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (!inside && MatchesAt(text, at, open)) {
            inside = true;
            ++region;
            at += open.size();
        } else if (inside && MatchesAt(text, at, close)) {
            inside = false;
            ++scan.m_nComplete;
            at += close.size();
            if (region == index) {
                break;
            }
        } else {
            if (inside && region == index) {
                scan.m_strContent += text[at];
            }
            ++at;
        }
    }
    return scan;
}

std::string PlainRemoveRegions(std::string text, const std::string& open,
                               const std::string& close) {
    while (PlainRegions(text, open, close, 0).m_nComplete > 0) {
        text =
            PlainReplace(text, open + PlainRegions(text, open, close, 1).m_strContent + close, "");
    }
    return text;
}

struct CMarkerRow {
    const char* name;
    std::string open;
    std::string close;
    // Bytes the random texts are made of.
    std::string alphabet;
};

const CMarkerRow MARKER_ROWS[] = {
    {"placeholders", "<@", "@>", "<@>a\x81"}, {"block comments", "/*", "*/", "/* x"},
    {"line comments", "//", "\n", "/\n\r a"}, {"equal markers", "\"", "\"", "\"ab"},
    {"close inside open", "<@", "@", "<@a"},  {"long open", "<<@@", ">", "<@>"},
};

// Texts of every length up to 24 over the row's alphabet, from a fixed seed.
std::vector<std::string> RandomTexts(const std::string& alphabet) {
    std::mt19937 random(932);
    std::vector<std::string> texts{""};
    for (int i = 0; i < 2000; ++i) {
        std::string text(random() % 25, ' ');
        for (char& byte : text) {
            byte = alphabet[random() % alphabet.size()];
        }
        texts.push_back(text);
    }
    return texts;
}

// A zero-filled array with room for the text grown eightfold, as an edit's caller provides.
std::vector<char> CallerArray(const std::string& text) {
    std::vector<char> array(text.size() * 8 + 1);
    std::memcpy(array.data(), text.data(), text.size());
    return array;
}

bool ZeroAfterText(const std::vector<char>& array) {
    for (std::size_t i = std::strlen(array.data()); i < array.size(); ++i) {
        if (array[i] != '\0') {
            return false;
        }
    }
    return true;
}

TEST(TxtSearchingEdits, AgreeWithByteByByteScans) {
    ForEachRow(MARKER_ROWS, [](const CMarkerRow& row) {
        for (const std::string& text : RandomTexts(row.alphabet)) {
            SCOPED_TRACE("text '" + text + "'");
            for (const std::string& pattern : {row.open, row.close, row.open + row.close}) {
                EXPECT_EQ(TxtCount(text.c_str(), pattern.c_str()), PlainCount(text, pattern));
                // Growing, shrinking and removing replacements.
                for (const std::string& replacement :
                     {pattern + pattern, std::string("x"), std::string()}) {
                    std::vector<char> array = CallerArray(text);
                    ASSERT_EQ(TxtReplace(array.data(), pattern.c_str(), replacement.c_str()), 0);
                    EXPECT_EQ(array.data(), PlainReplace(text, pattern, replacement));
                    EXPECT_TRUE(ZeroAfterText(array));
                }
            }
        }
    });
}

TEST(TxtRegions, AgreeWithByteByByteScans) {
    ForEachRow(MARKER_ROWS, [](const CMarkerRow& row) {
        const char* open = row.open.c_str();
        const char* close = row.close.c_str();
        for (const std::string& text : RandomTexts(row.alphabet)) {
            SCOPED_TRACE("text '" + text + "'");
            EXPECT_EQ(TxtCountRegions(text.c_str(), open, close),
                      PlainRegions(text, row.open, row.close, 0).m_nComplete);
            for (int index = 1; index <= 4; ++index) {
                char out[32] = {};
                const std::string content =
                    PlainRegions(text, row.open, row.close, index).m_strContent;
                EXPECT_EQ(TxtGetRegion(text.c_str(), index, open, close, out),
                          content.empty() ? -1 : 0);
                EXPECT_EQ(out, content);
            }
            std::vector<char> array = CallerArray(text);
            ASSERT_EQ(TxtRemoveRegions(array.data(), open, close), 0);
            EXPECT_EQ(array.data(), PlainRemoveRegions(text, row.open, row.close));
            EXPECT_TRUE(ZeroAfterText(array));
        }
    });
}

// Trimming and squeezing write a shorter text over the old one: nothing of it may stay behind.
TEST(TxtShorteningEdits, LeaveOnlyZerosBehindTheText) {
    const CTextRow rows[] = {
        {"all trimmed", "xxxx", ""},
        {"nothing trimmed", "axxb", "axxb"},
        {"leading run", "xxab", "ab"},
        {"empty", "", ""},
    };
    CheckEdits(rows, [](char* text) { EXPECT_EQ(TxtTrimLeft(text, 'x'), 0); });
    const CTextRow squeezed[] = {
        {"one run", "a   b", "a b"},
        {"runs at both ends", "  a  ", " a "},
        {"only the character", "     ", " "},
        {"no run", "a b", "a b"},
    };
    CheckEdits(squeezed, [](char* text) { EXPECT_EQ(TxtSqueeze(text, ' '), 0); });
}

} // namespace
