#include "header/box_text.h"

#include "text/codepage.h"
#include "text/txt.h"

#include <algorithm>
#include <cstring>
#include <vector>

std::string HeaderBoxText(std::string_view cp932) {
    cp932 = cp932.substr(0, cp932.find('\0'));
    return std::string(cp932.substr(0, TxtCp932Cut(cp932, BOX_TEXT_MAX)));
}

namespace {

constexpr std::string_view BLOCK_OPEN = "/*";
constexpr std::string_view BLOCK_CLOSE = "*/";
constexpr std::string_view LINE_COMMENT = "//";

// A comment's text on one line: its line breaks and tabs become spaces, and a "*/" in a line
// comment is parted, so that the block it is put in ends where the comment did.
std::string OneLineComment(std::string_view body) {
    std::string line;
    for (const char ch : body) {
        line += ch == '\r' || ch == '\n' || ch == '\t' ? ' ' : ch;
    }
    for (std::size_t at = line.find(BLOCK_CLOSE); at != std::string::npos;
         at = line.find(BLOCK_CLOSE, at + 2)) {
        line.insert(at + 1, 1, ' ');
    }
    return line;
}

// The cleaning of HeaderCleanPaste for the tidy analysis, read from left to right as a compiler
// reads comments. None of the bytes looked at ('/', '*', '(', tab, CR, LF) is ever the second
// byte of a double-byte character, so the text can be scanned byte by byte.
std::string CleanKeepingListComments(std::string_view text) {
    std::string out;
    bool bBreak = false; // a line break or a removed comment since the last byte written
    bool bInList = false;
    // A break between two bytes that are not blanks leaves one space, so no two words fuse.
    const auto put = [&](std::string_view bytes) {
        if (bBreak && !out.empty() && out.back() != ' ' && bytes.front() != ' ') {
            out += ' ';
        }
        bBreak = false;
        out.append(bytes);
    };
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view rest = text.substr(at);
        const bool bBlock = rest.substr(0, 2) == BLOCK_OPEN;
        if (bBlock || rest.substr(0, 2) == LINE_COMMENT) {
            const std::size_t close = bBlock ? rest.find(BLOCK_CLOSE, 2) : rest.find('\n');
            const std::size_t end = close == std::string_view::npos
                                        ? rest.size()
                                        : close + (bBlock ? BLOCK_CLOSE.size() : 0);
            if (bInList) {
                const std::size_t bodyEnd = bBlock && close != std::string_view::npos ? close : end;
                put(" /*" + OneLineComment(rest.substr(2, bodyEnd - 2)) + "*/ ");
            } else {
                bBreak = true;
            }
            at += end;
            continue;
        }
        const char ch = text[at++];
        if (ch == '\r' || ch == '\n') {
            bBreak = true;
            continue;
        }
        bInList = bInList || ch == '(';
        put(std::string_view(ch == '\t' ? " " : &text[at - 1], 1));
    }
    // Runs of blanks become one, as in the box of the fixed rules.
    out.erase(
        std::unique(out.begin(), out.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
        out.end());
    return out;
}

} // namespace

PasteResult HeaderCleanPaste(std::string_view pasted, std::string& cleaned,
                             bool bKeepListComments) {
    std::vector<char> text(PASTE_TEXT_MAX + 1, '\0');
    std::memcpy(text.data(), pasted.data(), TxtCp932Cut(pasted, PASTE_TEXT_MAX));
    if (bKeepListComments) {
        cleaned = CleanKeepingListComments(text.data());
        return PasteResult::Done;
    }
    if (TxtCleanPasted(text.data()) != 0) {
        return PasteResult::NoMemory;
    }
    cleaned.assign(text.data());
    return PasteResult::Done;
}
