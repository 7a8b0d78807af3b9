#include "format/field_list.h"
#include "format/header_keys.h"
#include "tests/core/alloc_fault.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// One stretch of a format file: what it expands to, what it gives when one allocation made
// while expanding it is refused, and what it gives when every allocation from there on is
// refused (the edit left undone, a placeholder staying as written). Every stretch expands to
// some text, so the output's length tells which one was being expanded when memory was asked
// for.
struct CStretch {
    const char* m_pszFile;
    std::string m_strExpanded;
    std::string m_strOneRefused;
    std::string m_strUndone;
};

const std::string LONG_VALUE(FIELD_TEXT_SIZE - 1, 'v');

const CStretch STRETCHES[] = {
    {"/*\n", "/*\r\n", "/*\r\n", "/*\r\n"},
    {" * <@FUNC@>\n", " * GetCount\r\n", " * <@FUNC@>\r\n", " * <@FUNC@>\r\n"},
    // Two regions make two passes: the second does again what the first could not.
    {" * <@FUNC@> = <@FUNC@>\r\n", " * GetCount = GetCount\r\n", " * GetCount = GetCount\r\n",
     " * <@FUNC@> = <@FUNC@>\r\n"},
    {" * <@NONE@>x\n", " * x\r\n", " * <@NONE@>x\r\n", " * <@NONE@>x\r\n"},
    // Without memory to take the prefix off, the key "IF FUNC" is looked up, and it is absent.
    {"<@IF FUNC@>\n * kept\n", " * kept\r\n", "", ""},
    {"<@IFN NONE@>\n * shown\n", " * shown\r\n", " * shown\r\n", " * shown\r\n"},
    // A value longer than the work area's first size needs a larger area, then the copy.
    {"<@LONG@>\n", LONG_VALUE + "\r\n", "<@LONG@>\r\n", "<@LONG@>\r\n"},
    {" */", " */", " */", " */"},
};

// Allocations made before any line is expanded: the read buffer, and the converted text of a
// UTF-8 file. Refusing either refuses the whole file.
int ReadRequests(bool utf8) {
    return utf8 ? 2 : 1;
}

class CExpandFileAlloc : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_list.AddField("FUNC", "GetCount"), 0);
        ASSERT_EQ(m_list.AddField("LONG", LONG_VALUE.c_str()), 0);
        std::string folder =
            (std::filesystem::temp_directory_path() / "veldane-alloc-XXXXXX").string();
        ASSERT_NE(mkdtemp(folder.data()), nullptr);
        m_folder = folder;
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string WriteFormat(const std::string& bytes) const {
        const std::filesystem::path path = m_folder / "format.txt";
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // The output's length at each allocation request of a run that gets all it asks for.
    std::vector<std::size_t> OutputLengthAtEachRequest(const std::string& path) {
        std::vector<std::size_t> lengths;
        CAllocFault fault(EAllocFault::COUNT, 0,
                          [&] { lengths.push_back(strnlen(m_output.data(), EXPAND_OUTPUT_SIZE)); });
        EXPECT_EQ(m_list.ExpandFile(path.c_str(), m_output.data()), 0);
        return lengths;
    }

    CFieldList m_list;
    std::filesystem::path m_folder;
    std::vector<char> m_output = std::vector<char>(EXPAND_OUTPUT_SIZE, '\0');
};

TEST_F(CExpandFileAlloc, RefusalsLeaveOneEditUndoneOrRefuseTheFile) {
    for (const bool utf8 : {false, true}) {
        SCOPED_TRACE(utf8 ? "UTF-8 file" : "code page 932 file");
        std::string file = utf8 ? "\xEF\xBB\xBF" : "";
        std::vector<std::size_t> starts;
        std::size_t length = 0;
        for (const CStretch& stretch : STRETCHES) {
            file += stretch.m_pszFile;
            starts.push_back(length);
            length += stretch.m_strExpanded.size();
        }
        const std::string path = WriteFormat(file);
        const std::vector<std::size_t> lengths = OutputLengthAtEachRequest(path);
        // Which stretch asked for each allocation after the reading.
        std::vector<std::size_t> askedBy;
        for (std::size_t i = ReadRequests(utf8); i < lengths.size(); ++i) {
            const auto it = std::find(starts.begin(), starts.end(), lengths[i]);
            ASSERT_NE(it, starts.end());
            askedBy.push_back(static_cast<std::size_t>(it - starts.begin()));
        }
        const auto allocates = [&](std::size_t stretch) {
            return std::find(askedBy.begin(), askedBy.end(), stretch) != askedBy.end();
        };

        ForEachRefusal(static_cast<int>(lengths.size()), [&](EAllocFault mode, int n) {
            const std::vector<char> untouched(EXPAND_OUTPUT_SIZE, '#');
            m_output = untouched;
            CAllocFault fault(mode, n);
            const int result = m_list.ExpandFile(path.c_str(), m_output.data());
            if (n <= ReadRequests(utf8)) {
                EXPECT_EQ(result, -1);
                EXPECT_EQ(m_output, untouched);
                return;
            }
            const std::size_t refused =
                askedBy[static_cast<std::size_t>(n - ReadRequests(utf8)) - 1];
            std::string expected;
            for (std::size_t i = 0; i < std::size(STRETCHES); ++i) {
                const CStretch& stretch = STRETCHES[i];
                if (mode == EAllocFault::REFUSE_ONE) {
                    expected += i == refused ? stretch.m_strOneRefused : stretch.m_strExpanded;
                } else {
                    const bool undone = i == refused || (i > refused && allocates(i));
                    expected += undone ? stretch.m_strUndone : stretch.m_strExpanded;
                }
            }
            EXPECT_EQ(result, 0);
            EXPECT_EQ(m_output.data(), expected);
        });
    }
}

TEST(HeaderAddFieldsAlloc, AFieldWithoutMemoryIsAbsentAndTheOthersStay) {
    std::vector<std::string> values;
    const char* apszValues[HEADER_KEY_COUNT] = {};
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        values.push_back("value " + std::to_string(i));
    }
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        apszValues[i] = values[static_cast<std::size_t>(i)].c_str();
    }
    ForEachRefusal(HEADER_KEY_COUNT, [&](EAllocFault mode, int n) {
        CFieldList list;
        {
            CAllocFault fault(mode, n);
            HeaderAddFields(list, apszValues);
        }
        for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
            const bool refused = i + 1 == n || (mode == EAllocFault::REFUSE_FROM && i + 1 > n);
            char szValue[FIELD_TEXT_SIZE] = {};
            EXPECT_EQ(list.FindField(g_apszHeaderKeys[i], szValue), refused ? -1 : 0)
                << g_apszHeaderKeys[i];
            EXPECT_EQ(szValue, refused ? "" : values[static_cast<std::size_t>(i)]);
        }
    });
}

} // namespace
