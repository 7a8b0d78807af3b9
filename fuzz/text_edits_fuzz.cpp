// Runs a sequence of the in-place text edits on arbitrary bytes, each in a caller array no
// larger than the edit needs, and compares every result with the plain std::string rules.

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/text_model.h"
#include "text/txt.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Edits applied from one input at most.
constexpr int MAX_EDITS = 64;
// Replacements can grow the text geometrically; past this an input only costs time.
constexpr std::size_t MAX_TEXT_SIZE = 64 * 1024;

enum EEdit {
    EDIT_GET_FIELD,
    EDIT_TRIM_LEFT,
    EDIT_TRIM_RIGHT,
    EDIT_TRIM,
    EDIT_REMOVE,
    EDIT_COUNT_CHAR,
    EDIT_COUNT,
    EDIT_REPLACE_CHAR,
    EDIT_REPLACE,
    EDIT_SQUEEZE,
    EDIT_CHECK_PARENS,
    EDIT_KINDS
};

// Checks one rewriting edit: a refused scratch copy leaves every byte of the array as it was,
// otherwise the text is `expected` with zeros up to the end of the array.
void CheckRewrite(int result, const std::vector<char>& before, const std::vector<char>& after,
                  const std::string& expected) {
    if (result == TXT_ENOMEM) {
        FuzzCheck(after == before, "a refused edit leaves the text unchanged");
        return;
    }
    FuzzCheck(result == 0, "a rewriting edit gives 0 or TXT_ENOMEM");
    FuzzCheck(after.data() == expected, "rewritten text");
    FuzzCheck(FuzzZeroAfterText(after), "zeros after a rewritten text");
}

// Applies one edit read from `input` to `text`; false when the input asks for a replacement
// that would outgrow MAX_TEXT_SIZE.
bool ApplyEdit(CFuzzInput& input, std::string& text, const CFuzzAllocFailures& failures) {
    const int edit = input.TakeByte() % EDIT_KINDS;
    std::vector<char> array = FuzzCallerArray(text);
    const std::vector<char> before = array;
    switch (edit) {
    case EDIT_GET_FIELD: {
        const char delim = static_cast<char>(input.TakeByte());
        const int index = static_cast<signed char>(input.TakeByte());
        // No field is longer than the text, so the text's size always suffices.
        std::vector<char> out(array.size(), '\0');
        const int result = TxtGetField(array.data(), delim, index, out.data());
        const auto expected = ModelField(text, delim, index);
        FuzzCheck(result == (expected ? 0 : -1), "TxtGetField result");
        FuzzCheck(out.data() == expected.value_or(""), "TxtGetField copy");
        FuzzCheck(array == before, "TxtGetField leaves its text alone");
        break;
    }
    case EDIT_TRIM_LEFT: {
        const char ch = static_cast<char>(input.TakeByte());
        const int result = TxtTrimLeft(array.data(), ch);
        CheckRewrite(result, before, array, ModelTrimLeft(text, ch));
        break;
    }
    case EDIT_TRIM_RIGHT: {
        const char ch = static_cast<char>(input.TakeByte());
        TxtTrimRight(array.data(), ch);
        CheckRewrite(0, before, array, ModelTrimRight(text, ch));
        break;
    }
    case EDIT_TRIM: {
        const char ch = static_cast<char>(input.TakeByte());
        const int refused = failures.Refused();
        TxtTrim(array.data(), ch);
        // Without memory for the left trim the right side is trimmed all the same.
        const std::string left = failures.Refused() > refused ? text : ModelTrimLeft(text, ch);
        CheckRewrite(0, before, array, ModelTrimRight(left, ch));
        break;
    }
    case EDIT_REMOVE: {
        const std::string pattern = input.TakeCString();
        const int result = TxtRemove(array.data(), pattern.c_str());
        CheckRewrite(result, before, array, ModelReplace(text, pattern, ""));
        break;
    }
    case EDIT_COUNT_CHAR: {
        const char ch = static_cast<char>(input.TakeByte());
        const auto expected = ch == '\0' ? 0 : std::count(text.begin(), text.end(), ch);
        FuzzCheck(TxtCountChar(array.data(), ch) == expected, "TxtCountChar");
        break;
    }
    case EDIT_COUNT: {
        const std::string pattern = input.TakeCString();
        FuzzCheck(TxtCount(array.data(), pattern.c_str()) == ModelCount(text, pattern), "TxtCount");
        break;
    }
    case EDIT_REPLACE_CHAR: {
        const char from = static_cast<char>(input.TakeByte());
        // A NUL written into the text would cut it short and leave bytes behind the new end;
        // no caller does that.
        const char to = static_cast<char>(input.TakeByte() | 0x01);
        TxtReplaceChar(array.data(), from, to);
        std::string expected = text;
        std::replace(expected.begin(), expected.end(), from, to);
        CheckRewrite(0, before, array, expected);
        break;
    }
    case EDIT_REPLACE: {
        const std::string pattern = input.TakeCString();
        const std::string replacement = input.TakeCString();
        const std::string expected = ModelReplace(text, pattern, replacement);
        if (expected.size() >= MAX_TEXT_SIZE) {
            return false;
        }
        // The caller's duty: room for the longest result, here exactly that.
        array = FuzzCallerArray(text, expected.size() + 1);
        const std::vector<char> wide = array;
        const int result = TxtReplace(array.data(), pattern.c_str(), replacement.c_str());
        CheckRewrite(result, wide, array, expected);
        break;
    }
    case EDIT_SQUEEZE: {
        const char ch = static_cast<char>(input.TakeByte());
        const int result = TxtSqueeze(array.data(), ch);
        CheckRewrite(result, before, array, ModelSqueeze(text, ch));
        break;
    }
    default:
        FuzzCheck(TxtCheckParens(array.data()) == ModelCheckParens(text), "TxtCheckParens");
        break;
    }
    text = array.data();
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzInput input(data, size);
    const CFuzzAllocFailures failures(input.TakeByte());
    std::string text = input.TakeCString();
    for (int i = 0; i < MAX_EDITS && !input.AtEnd(); ++i) {
        if (!ApplyEdit(input, text, failures)) {
            break;
        }
    }
    return 0;
}
