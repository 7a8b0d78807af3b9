// Expands arbitrary lines with an arbitrary field list in one scan and pass by pass, carrying
// each way's state from line to line as a file's expansion does: wherever the scan takes a line,
// its result, output and edit count must be those of the passes.

#include "format/expand_line.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Fields one input adds at most; a format file names a few dozen keys in practice.
constexpr int MAX_FIELDS = 16;
// Lines one input expands at most, enough for values remembered from earlier lines to be used.
constexpr int MAX_LINES = 8;
// Longest line a file's expansion passes on.
constexpr std::size_t MAX_LINE = 511;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzInput input(data, size);
    const unsigned char budgetLeft = input.TakeByte();
    CFieldList list;
    const int fields = input.TakeByte() % (MAX_FIELDS + 1);
    for (int i = 0; i < fields; ++i) {
        const std::string name = input.TakeCString();
        list.AddField(name.c_str(), input.TakeCString().c_str());
    }
    CExpandRun passesRun;
    CExpandRun directRun;
    // Near the end of the edit budget when the first byte's top bit is set.
    if (budgetLeft & 0x80U) {
        passesRun.m_nEditBytes = directRun.m_nEditBytes = EXPAND_EDIT_BUDGET - (budgetLeft & 0x7FU);
    }
    std::vector<char> passesOutput(EXPAND_OUTPUT_SIZE, '\0');
    std::vector<char> directOutput(EXPAND_OUTPUT_SIZE, '\0');
    for (int n = 0; n < MAX_LINES && !input.AtEnd(); ++n) {
        const std::string line = input.TakeCString().substr(0, MAX_LINE);
        const LineResult passes =
            ExpandLineByPasses(list, line.c_str(), passesOutput.data(), passesRun);
        const std::size_t editBytes = directRun.m_nEditBytes;
        LineResult direct = LineResult::Appended;
        if (ExpandLineDirect(list, line.c_str(), directOutput.data(), directRun, direct) !=
            DirectResult::Taken) {
            FuzzCheck(directRun.m_nEditBytes == editBytes, "a declined line counts no edits");
            FuzzCheck(std::strlen(directOutput.data()) == directRun.m_nOutputLength,
                      "a declined line appends nothing");
            // The passes take the line over, as in a file's expansion.
            ExpandLineByPasses(list, line.c_str(), directOutput.data(), directRun);
        } else {
            FuzzCheck(direct == passes, "same result both ways");
        }
        FuzzCheck(directOutput == passesOutput, "same output both ways");
        FuzzCheck(directRun.m_nEditBytes == passesRun.m_nEditBytes, "same edits both ways");
        FuzzCheck(directRun.m_nOutputLength == passesRun.m_nOutputLength, "same output length");
        if (passesRun.m_bOutputFull) {
            break;
        }
    }
    return 0;
}
