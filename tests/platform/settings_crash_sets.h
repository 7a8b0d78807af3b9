#pragma once

#include "platform/settings_file.h"

#include <string>
#include <vector>

// The two complete sets of values the crash writer alternates between. They differ in every
// value and in length, so that any mixture or torn write shows.
inline std::vector<SettingsValue> CrashSet(int nSet) {
    if (nSet == 0) {
        return {{"DEVELOP", "\x8e\x52\x93\x63 \x91\xbe\x98\x59", false}, // 山田 太郎
                {"FILE_NAME", "a.txt", false},
                {"FILE_PATH", "/home/u/a.txt", true}};
    }
    return {{"DEVELOP", std::string(3000, 'd'), false},
            {"FILE_NAME", std::string(200, 'n') + ".txt", false},
            {"FILE_PATH", "/" + std::string(1000, 'p') + ".txt", true}};
}
