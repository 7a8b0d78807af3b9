#include "text/txt.h"

int TxtCleanPasted(char* text) {
    TxtReplaceChar(text, '\t', ' ');
    // A failed comment removal stops the cleaning so that the caller keeps what it had.
    if (TxtRemoveRegions(text, "/*", "*/") != 0) {
        return -1;
    }
    // The line feed that ends a line comment goes with it.
    if (TxtRemoveRegions(text, "//", "\n") != 0) {
        return -1;
    }
    // Out of memory here only leaves a break or a run of spaces, which the analyser tolerates.
    (void)TxtRemove(text, "\r");
    (void)TxtRemove(text, "\n");
    (void)TxtSqueeze(text, ' ');
    return 0;
}
