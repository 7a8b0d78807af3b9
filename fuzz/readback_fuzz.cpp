// Builds a format file from tokens and values from a few bytes that blur into each other (blanks,
// colons), expands it, and reads the comment back: it must read back, or give up at the budget,
// as values that the expansion puts in verbatim; what it reads must expand to the comment again.
// Then one byte of the comment is changed: whatever still reads back must expand to that.

#include "format/field_list.h"
#include "format/format_read.h"
#include "format/format_readback.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

const char* const KEYS[] = {"K0", "K1", "K2", "K3"};
constexpr std::size_t KEY_COUNT = sizeof KEYS / sizeof KEYS[0];
// Bytes of values, blanks among them, so that values run into each other and the text around.
constexpr char VALUE_BYTES[] = {'a', ' ', ':', '\t'};
// Longest value, short enough for many to fit a line.
constexpr unsigned VALUE_MAX = 4;
// Format text: literal bytes, then the placeholders and conditions of the keys, then keys no
// field has and the empty key.
const char* const TOKENS[] = {"a",         " ",          ":",          "\n",         "\t",
                              "<@K0@>",    "<@K1@>",     "<@K2@>",     "<@K3@>",     "<@IF K0@>",
                              "<@IF K1@>", "<@IFN K2@>", "<@IFN K3@>", "<@IF K3@>\n", "<@Z@>",
                              "<@@>",      "<@IF Z@>",   "<@IFN @>",   "<@K0@>  "};
constexpr std::size_t TOKEN_COUNT = sizeof TOKENS / sizeof TOKENS[0];

// The comment `format` expands to with `values` (empty for an absent key).
std::string Expand(const std::string& path, const std::vector<std::string>& values) {
    CFieldList list;
    for (std::size_t k = 0; k < KEY_COUNT; ++k) {
        if (!values[k].empty()) {
            list.AddField(KEYS[k], values[k].c_str());
        }
    }
    std::vector<char> output(EXPAND_OUTPUT_SIZE);
    FuzzCheck(list.ExpandFile(path.c_str(), output.data()) == 0, "the format expands");
    return output.data();
}

// Reads `comment` back; when it reads, checks that its values expand to it again.
FormatReadBack CheckReadBack(const std::string& path, const std::string& comment) {
    CFormatText format;
    FuzzCheck(format.Load(path.c_str()) == 0, "the format loads");
    std::vector<CReadBackKey> keys(KEY_COUNT);
    for (std::size_t k = 0; k < KEY_COUNT; ++k) {
        keys[k].m_strName = KEYS[k];
        keys[k].m_bName = k == 0;
    }
    CFormatReading reading;
    const FormatReadBack result = FormatReadComment(format, comment, keys, reading);
    if (result == FormatReadBack::Read) {
        std::vector<std::string> values(KEY_COUNT);
        for (std::size_t k = 0; k < KEY_COUNT; ++k) {
            const CReadBackValue& value = reading.m_vecValues[k];
            FuzzCheck((value.m_eState == ReadKeyState::Absent) == value.m_strValue.empty(),
                      "present values are not empty");
            FuzzCheck(value.m_strValue.find('\n') == std::string::npos, "no line break");
            values[k] = value.m_strValue;
        }
        FuzzCheck(FormatCommentLines(Expand(path, values)) == FormatCommentLines(comment),
                  "what reads back expands to the comment");
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzInput input(data, size);
    std::vector<std::string> values(KEY_COUNT);
    for (std::string& value : values) {
        const unsigned shape = input.TakeByte();
        // A quarter of the keys is absent.
        for (unsigned n = (shape & 3) == 0 ? 0 : 1 + (shape >> 2) % VALUE_MAX; n > 0; --n) {
            value += VALUE_BYTES[input.TakeByte() % sizeof VALUE_BYTES];
        }
    }
    const unsigned changeAt = input.TakeByte();
    const char changeTo = static_cast<char>(input.TakeByte());
    std::string format;
    while (!input.AtEnd()) {
        format += TOKENS[input.TakeByte() % TOKEN_COUNT];
    }
    static const std::string path = FuzzTempPath("readback-format.txt");
    FuzzWriteFile(path, format);

    std::string comment = Expand(path, values);
    FuzzCheck(CheckReadBack(path, comment) != FormatReadBack::NoMatch,
              "an expansion reads back");
    if (!comment.empty()) {
        comment[changeAt % comment.size()] = changeTo;
        CheckReadBack(path, comment);
    }
    return 0;
}
