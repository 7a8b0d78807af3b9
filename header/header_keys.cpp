#include "header/header_keys.h"

const char* const g_apszHeaderKeys[HEADER_KEY_COUNT] = {
    "FUNC",       "RET",        "RET_TEXT",   "CLASS",      "DEVELOPER",
    "TITLE",      "DATE",       "ARG_1_TYPE", "ARG_1_NAME", "ARG_1_TEXT",
    "ARG_2_TYPE", "ARG_2_NAME", "ARG_2_TEXT", "ARG_3_TYPE", "ARG_3_NAME",
    "ARG_3_TEXT", "ARG_4_TYPE", "ARG_4_NAME", "ARG_4_TEXT", "ARG_5_TYPE",
    "ARG_5_NAME", "ARG_5_TEXT", "ARG_6_TYPE", "ARG_6_NAME", "ARG_6_TEXT",
};

int HeaderFindKey(std::string_view key) {
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        if (key == g_apszHeaderKeys[i]) {
            return i;
        }
    }
    return -1;
}
