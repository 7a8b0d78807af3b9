#include "text/txt.h"

namespace {

// What a removed comment leaves until the line breaks are joined: a byte that takes part in no
// comment marker, so a comment never joins the bytes around it into a new marker, and one that
// the joining treats as a line break.
const char* const COMMENT_GAP = "\r";

bool IsBreak(char ch) {
    return ch == '\r' || ch == '\n';
}

// Each run of line breaks (and comment gaps) becomes one space where it stands between two
// other bytes that are not spaces, so that no two words are fused, and goes entirely anywhere
// else: at either end, or beside a space, the text is as if the run had never been there.
void JoinLines(char* text) {
    char* out = text;
    const char* in = text;
    while (*in != '\0') {
        if (!IsBreak(*in)) {
            *out++ = *in++;
            continue;
        }
        while (IsBreak(*in)) {
            ++in;
        }
        if (out != text && out[-1] != ' ' && *in != '\0' && *in != ' ') {
            *out++ = ' ';
        }
    }
    // The text only shrank: clear what it left behind, as every edit does.
    while (out != in) {
        *out++ = '\0';
    }
}

} // namespace

int TxtCleanPasted(char* text) {
    TxtReplaceChar(text, '\t', ' ');
    // A failed comment removal stops the cleaning so that the caller keeps what it had.
    if (TxtReplaceRegions(text, "/*", "*/", COMMENT_GAP) != 0) {
        return -1;
    }
    // The line feed that ends a line comment goes with it.
    if (TxtReplaceRegions(text, "//", "\n", COMMENT_GAP) != 0) {
        return -1;
    }
    JoinLines(text);
    // Out of memory here only leaves a run of spaces, which the analyser tolerates.
    (void)TxtSqueeze(text, ' ');
    return 0;
}
