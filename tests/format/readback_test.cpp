#include "format/format_read.h"
#include "format/format_readback.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
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

// "A=x|N?" for A shown as x and N kept by a condition; "no F/C" or "budget F/C" with the
// format and comment lines of a failure.
std::string ReadBack(const std::string& format, const std::string& comment,
                     const std::string& preferred = "") {
    const std::string path =
        (std::filesystem::temp_directory_path() / "veldane-readback-test.txt").string();
    std::ofstream(path, std::ios::binary) << format;
    CFormatText text;
    EXPECT_EQ(text.Load(path.c_str()), 0);
    std::filesystem::remove(path);
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

struct CRow {
    const char* pszName;
    std::string strFormat;
    std::string strComment;
    std::string strPreferred;
    std::string strRead;
};

void RunRows(const std::vector<CRow>& rows) {
    for (const CRow& row : rows) {
        EXPECT_EQ(ReadBack(row.strFormat, row.strComment, row.strPreferred), row.strRead)
            << row.pszName;
    }
}

// What editors and insertion change in a comment: line ends, blanks at line ends, the end of the
// last line. A value's blanks at a line end are gone, but its other copies keep them.
TEST(ReadBack, ReadsThroughTheAllowances) {
    RunRows({
        {"CR LF and LF", "x <@A@>\r\ny <@B@>\n", "x 1\r\ny 2", "", "A=1|B=2"},
        {"blanks stripped", "<@A@>  :\n<@B@> \n", "1  :\t\n2\n", "", "A=1|B=2"},
        {"blanks of an empty value", "[<@A@>]\nx <@B@>\n", "[]\nx\n", "", ""},
        {"value of blanks kept present", "x <@A@>\n<@IF A@>\ny\n", "x\ny\n", "", "A= "},
        {"value's own blanks shown again", "<@N@>\n[<@N@>]\n", "v\n[v  ]\n", "", "N=v  "},
        {"shown again without blanks, a value has none", "<@A@>\n[<@A@>]\n(<@A@>)\n",
         "v\n[v]\n(v  )\n", "", "no 3/3"},
        {"a value of blanks shows them again", "x <@A@>\n<@IF A@>\n[<@A@>]\n", "x\n[]\n", "",
         "no 3/2"},
        {"the last line ended or not", "a\nb", "a\nb\n", "", ""},
        {"an empty line is a line", "a\n", "a\n\n", "", "no 2/2"},
        {"line pieces join up", std::string(600, 'x') + "<@A@>\n", std::string(600, 'x') + "v", "",
         "A=v"},
    });
}

// The analysis decides between a type of several words and a name; without one, names without
// blanks win, then the shorter value first in the comment; a condition's key reads as present
// where the comment allows.
TEST(ReadBack, ChoosesAmongAmbiguousReadings) {
    const std::string typeName = "<@A@> <@N@>  <@T@>\n";
    RunRows({
        {"name without blank", typeName, "const char* psz  text", "", "A=const char*|N=psz|T=text"},
        {"analysis agrees", typeName, "const char *psz  text", "A=const char;N=*psz",
         "A=const char|N=*psz|T=text"},
        {"analysis before plain names", typeName, "unsigned long n  x", "A=unsigned;N=long n",
         "A=unsigned|N=long n|T=x"},
        {"description holds what follows", "<@N@> <@T@>\n", "n a b", "", "N=n|T=a b"},
        {"shorter value first", "<@A@> <@B@>\n", "a b c", "", "A=a|B=b c"},
        {"absence first", "<@A@><@B@>\n", "ab", "", "B=ab"},
        {"condition's key present first", "<@IF A@>\n<@B@>\n<@IFN A@>\n<@B@>\n", "x", "", "A?|B=x"},
        {"no half characters", "<@IF A@>\n<@A@><@B@>\n", "\x93\xfa", "", "A=\x93\xfa"},
        {"lead byte at a line end", "<@A@>\n", "\x93\n", "", "A=\x93"},
    });
}

// A key shown twice reads the same both times; a key a condition tests but no line shows is
// present with the stand-in, and never-present or always-present keys decide as in expansion.
TEST(ReadBack, ReadsKeysAndConditionsAsTheExpansionDoes) {
    const std::string twice = "<@A@> <@B@>\n(<@A@>)\n";
    RunRows({
        {"shown twice", twice, "a b c\n(a b)", "", "A=a b|B=c"},
        {"shown twice apart", twice, "a b\n(c)", "", "no 2/2"},
        {"condition only", "<@IF T@>\nkept\n", "kept\n", "", "T?"},
        {"condition fails", "<@IF T@>\nkept\nend\n", "end\n", "", ""},
        {"failed condition drops a condition", "<@IF Z@>\n<@IFN @>\nx\n", "x\n", "", ""},
        {"unknown and empty keys", "<@IF Z@>\na\n<@IF @>\nb<@@><@Z@>\n", "b\n", "", ""},
        {"unclosed placeholder", "x <@A@> <@B\n", "x v <@B\n", "", "A=v"},
        {"first condition decides", "<@B@><@IFN A@><@IF T@>\nx\n", "x\n", "", ""},
        {"spare pass reads the rest", "<@A@><@A@><@IF T\nx\n", "", "", ""},
        {"150 lines", std::string(150, '\n') + "<@A@>\n", std::string(150, '\n'), "", ""},
    });
}

// Comments that are no expansion of the format do not read back, and the lines where they
// stopped following it are told.
TEST(ReadBack, RefusesCommentsThatDoNotFollowTheFormat) {
    const std::string format = "/*\n * <@A@>\n<@IF B@>\n * b: <@B@>\n */\n";
    RunRows({
        {"edited text", format, "/*\n * a\n * c: x\n */\n", "", "no 4/3"},
        {"line added", format, "/*\n * a\n */\n extra\n", "", "no 6/4"},
        {"line missing", format, "/*\n * a\n", "", "no 5/3"},
        {"other style", format, "// a\n", "", "no 1/1"},
        {"markers in a value", format, "/*\n * <@a@>\n */\n", "", "no 2/2"},
        {"expansion disagrees", "<<@Z@>@x <@A@>\n", "<@x v\n", "", "no 0/1"},
        {"nothing but a NUL", "<@A@>\n", std::string("a\0b", 3), "", "no 1/1"},
        {"CR inside a line", "<@A@>\n", "a\rb\n", "", "no 1/1"},
        {"as long as an expansion", "<@A@>\n", std::string(65535, '\n'), "", "no 2/2"},
        {"longer than any expansion", "<@A@>\n", std::string(65536, '\n'), "", "no 0/65536"},
    });
}

// Every way to split a long line of placeholders between them is a reading, and their values
// are shown again, so no two splits share their future: the search stops at its budget. It
// tells so many keys apart, and no more.
TEST(ReadBack, GivesUpPastItsLimits) {
    std::string line;
    for (const char* key : {"A", "B", "N", "T"}) {
        line += std::string("<@") + key + "@>";
    }
    EXPECT_EQ(ReadBack(line + "\n" + line + "!\n", std::string(300, 'x') + "\n"), "budget 2/2");
    CFormatText empty;
    CFormatReading reading;
    std::vector<CReadBackKey> keys(READBACK_KEY_LIMIT);
    EXPECT_EQ(FormatReadComment(empty, "", keys, reading), FormatReadBack::Read);
    keys.emplace_back();
    EXPECT_EQ(FormatReadComment(empty, "", keys, reading), FormatReadBack::NoMatch);
}

} // namespace
