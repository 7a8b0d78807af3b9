// The code page conversions on arbitrary bytes, and the road of pasted text: converted to code
// page 932, cut to the 2047 bytes the declaration box takes, cleaned of comments and breaks.

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"
#include "text/codepage.h"
#include "text/txt.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The paste buffer of the declaration box: 2047 bytes of text and the terminator.
constexpr std::size_t PASTE_SIZE = 2048;

// The longest prefix of at most `max` bytes that ends between two characters, walking from the
// start; a lead byte at the very end is a character by itself.
std::size_t WholeCharacterCut(std::string_view text, std::size_t max) {
    std::size_t cut = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        pos = std::min(text.size(),
                       pos + (TxtIsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1));
        if (pos > max) {
            break;
        }
        cut = pos;
    }
    return cut;
}

void CheckConversions(std::string_view bytes, unsigned char share) {
    const std::string cp932 = TxtUtf8ToCp932(bytes);
    FuzzCheck(cp932.size() <= bytes.size(), "code page 932 is never longer than its UTF-8");
    // The array form into a smaller array gives the start of the whole conversion.
    const std::size_t outSize = bytes.size() * share / 255;
    std::vector<char> out(outSize);
    const std::size_t written = TxtUtf8ToCp932(bytes.data(), bytes.size(), out.data(), outSize);
    FuzzCheck(written <= outSize, "array conversion stays in its array");
    FuzzCheck(std::string_view(out.data(), written) == std::string_view(cp932).substr(0, written),
              "array conversion is the start of the whole");
    FuzzCheck(cp932.size() > outSize || written == cp932.size(), "array conversion complete");

    const std::string utf8 = TxtCp932ToUtf8(bytes);
    FuzzCheck(utf8.size() <= 3 * bytes.size(), "UTF-8 at most three bytes per byte");
    // A line feed after it shows that no sequence was left incomplete at the end.
    FuzzCheck(TxtIsUtf8(utf8 + '\n'), "code page 932 converts to well-formed UTF-8");
    (void)TxtIsUtf8(bytes);
}

void CheckPaste(const std::string& clipboard, unsigned char refuseMask) {
    const std::string cp932 = TxtUtf8ToCp932(clipboard);
    const std::size_t cut = TxtCp932Cut(cp932, PASTE_SIZE - 1);
    FuzzCheck(cut == WholeCharacterCut(cp932, PASTE_SIZE - 1), "paste cut between characters");
    std::vector<char> paste(PASTE_SIZE, '\0');
    std::memcpy(paste.data(), cp932.data(), cut);

    int result = 0;
    int refused = 0;
    {
        const CFuzzAllocFailures failures(refuseMask);
        result = TxtCleanPasted(paste.data());
        refused = failures.Refused();
    }
    // Clipboard text may hold a NUL; it ends the text, and what stands behind it is not text.
    const bool nulInside = std::memchr(cp932.data(), '\0', cut) != nullptr;
    FuzzCheck(nulInside || FuzzZeroAfterText(paste), "zeros after the cleaned text");
    if (refused > 0) {
        FuzzCheck(result == 0 || result == -1, "TxtCleanPasted gives 0 or -1");
        return;
    }
    FuzzCheck(result == 0, "cleaning with memory succeeds");
    const char* text = paste.data();
    FuzzCheck(std::strpbrk(text, "\t\r\n") == nullptr, "no tab or line break left");
    FuzzCheck(std::strstr(text, "  ") == nullptr, "no run of spaces left");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzInput input(data, size);
    const unsigned char refuseMask = input.TakeByte();
    const unsigned char share = input.TakeByte();
    const std::string bytes = input.TakeRest();
    CheckConversions(bytes, share);
    const std::size_t max = bytes.size() * share / 255;
    FuzzCheck(TxtCp932Cut(bytes, max) == WholeCharacterCut(bytes, max), "cut between characters");
    CheckPaste(bytes, refuseMask);
    return 0;
}
