#include "format/field_list.h"
#include "format/format_read.h"
#include "format/format_readback.h"
#include "row_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

// Keys of these tests: N is a name, each may carry a preferred value ("N=x;A=" prefers N to be
// x and A absent).
std::vector<CReadBackKey> Keys(const std::string& preferred) {
    std::vector<CReadBackKey> keys;
    for (const char* name : {"A", "B", "N", "T"}) {
        CReadBackKey key;
        key.m_strName = name;
        key.m_bName = key.m_strName == "N";
        const std::size_t at = preferred.find(key.m_strName + "=");
        if (at != std::string::npos) {
            key.m_bPreferred = true;
            const std::size_t from = at + key.m_strName.size() + 1;
            key.m_strPreferred = preferred.substr(from, preferred.find(';', from) - from);
        }
        keys.push_back(key);
    }
    return keys;
}

// `text` loaded with `format` as its file would hold it.
void LoadFormat(CFormatText& text, const std::string& format) {
    const std::string path = testing::TempDir() + "veldane-readback-" + std::to_string(getpid());
    std::ofstream(path, std::ios::binary) << format;
    EXPECT_EQ(text.Load(path.c_str()), 0);
    std::filesystem::remove(path);
}

// "A=x|N?" for A shown as x and N kept by a condition; "no F/C" or "budget F/C" with the
// format and comment lines of a failure.
std::string ReadBack(const std::string& format, const std::string& comment,
                     const std::string& preferred = "") {
    CFormatText text;
    LoadFormat(text, format);
    const std::vector<CReadBackKey> keys = Keys(preferred);
    CFormatReading reading;
    const FormatReadBack result = FormatReadComment(text, comment, keys, reading);
    if (result != FormatReadBack::Read) {
        return std::string(result == FormatReadBack::NoMatch ? "no " : "budget ") +
               std::to_string(reading.m_nFormatLine) + "/" + std::to_string(reading.m_nCommentLine);
    }
    std::string shown;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const CReadBackValue& value = reading.m_vecValues[k];
        if (value.m_eState != ReadKeyState::Absent) {
            shown += (shown.empty() ? "" : "|") + keys[k].m_strName +
                     (value.m_eState == ReadKeyState::StandIn ? "?" : "=" + value.m_strValue);
            EXPECT_EQ(value.m_eState == ReadKeyState::StandIn, value.m_strValue == "-");
        }
    }
    return shown;
}

// Each row of the data file: the format, the comment, the preferred values and what is read.
TEST(ReadBack, ReadsAsTheDataFileSays) {
    for (const CFieldRow& row :
         ReadFieldRows(FORMAT_TEST_DATA "readback.txt", {"format", "comment", "prefer", "read"})) {
        SCOPED_TRACE(row.m_strWhere);
        EXPECT_EQ(ReadBack(row["format"], row["comment"], row["prefer"]), row["read"]);
    }
}

// Lines longer than a piece of the format file, the format's last line and the longest
// expansion, at and past each.
TEST(ReadBack, ReadsUpToTheFormatsLimits) {
    const std::string lines(FORMAT_LINE_LIMIT, '\n');
    const std::string longest(EXPAND_OUTPUT_SIZE, '\n');
    const std::string wide(FORMAT_PIECE_SIZE + 1, 'x');
    // name, format, comment, what is read
    const std::tuple<const char*, std::string, std::string, std::string> rows[] = {
        {"line pieces join up", wide + "<@A@>\n", wide + "v", "A=v"},
        {"lines past the last are not read", lines + "<@A@>\n", lines, ""},
        {"as long as an expansion", "<@A@>\n", longest, "no 2/2"},
        {"longer than any expansion", "<@A@>\n", longest + "\n",
         "no 0/" + std::to_string(EXPAND_OUTPUT_SIZE + 1)},
    };
    for (const auto& [name, format, comment, read] : rows) {
        EXPECT_EQ(ReadBack(format, comment), read) << name;
    }
}

// Every way to split a long line of placeholders between them is a reading, and their values
// are shown again, so no two splits share their future: the search stops at its budget. It
// tells so many keys apart, and no more.
TEST(ReadBack, GivesUpPastItsLimits) {
    const std::string line = "<@A@><@B@><@N@><@T@>";
    EXPECT_EQ(ReadBack(line + "\n" + line + "!\n", std::string(300, 'x') + "\n"), "budget 2/2");
    CFormatText empty;
    CFormatReading reading;
    std::vector<CReadBackKey> keys(READBACK_KEY_LIMIT);
    EXPECT_EQ(FormatReadComment(empty, "", keys, reading), FormatReadBack::Read);
    // Each on a line of its own, then all on one: a place is remembered by every key's value.
    std::string format, comment, again, last;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        keys[k].m_strName = std::to_string(k);
        format += "<@" + keys[k].m_strName + "@>\n";
        comment += keys[k].m_strName + "\n";
        again += ",<@" + keys[k].m_strName + "@>";
        last += "," + keys[k].m_strName;
    }
    CFormatText all;
    LoadFormat(all, format + again + " .\n");
    EXPECT_EQ(FormatReadComment(all, comment + last + " .\n", keys, reading), FormatReadBack::Read);
    EXPECT_EQ(reading.m_vecValues.back().m_strValue, "63");
    keys.emplace_back();
    EXPECT_EQ(FormatReadComment(empty, "", keys, reading), FormatReadBack::NoMatch);
}

} // namespace
