// Expands arbitrary file bytes with an arbitrary field list, sometimes with refused
// allocations, into an output array of exactly the documented size.

#include "format/field_list.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Fields one input adds at most; a format file names a few dozen keys in practice.
constexpr int MAX_FIELDS = 16;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzInput input(data, size);
    const unsigned char refuseMask = input.TakeByte();
    CFieldList list;
    const int fields = input.TakeByte() % (MAX_FIELDS + 1);
    for (int i = 0; i < fields; ++i) {
        const std::string name = input.TakeCString();
        const std::string value = input.TakeCString();
        const bool fits = name.size() < FIELD_TEXT_SIZE && value.size() < FIELD_TEXT_SIZE;
        FuzzCheck(list.AddField(name.c_str(), value.c_str()) == (fits ? 0 : -1), "AddField");
    }
    static const std::string path = FuzzTempPath("format.txt");
    FuzzWriteFile(path, input.TakeRest());

    // Filled with a marker byte, to see that a refusal leaves it alone.
    std::vector<char> output(EXPAND_OUTPUT_SIZE, '#');
    int result = 0;
    int refused = 0;
    {
        const CFuzzAllocFailures failures(refuseMask);
        result = list.ExpandFile(path.c_str(), output.data());
        refused = failures.Refused();
    }
    if (result == -1) {
        FuzzCheck(refused > 0, "a readable file is expanded");
        FuzzCheck(std::all_of(output.begin(), output.end(), [](char c) { return c == '#'; }),
                  "a refused expansion leaves the output alone");
        return 0;
    }
    FuzzCheck(result == 0, "ExpandFile gives 0 or -1");
    FuzzCheck(FuzzZeroAfterText(output), "the output ends in a terminator and zeros");
    // Line ends go out as CR LF, those from values included.
    const char* text = output.data();
    for (const char* lineFeed = std::strchr(text, '\n'); lineFeed != nullptr;
         lineFeed = std::strchr(lineFeed + 1, '\n')) {
        FuzzCheck(lineFeed > text && lineFeed[-1] == '\r', "every LF follows a CR");
    }
    return 0;
}
