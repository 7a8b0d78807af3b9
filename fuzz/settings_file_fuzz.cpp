// Reads arbitrary bytes as the settings file, and sometimes writes a value into it and reads it
// back: the value written comes back, and a key not written keeps its value.

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"
#include "platform/settings_file.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <strings.h>

namespace {

const char* const SECTION = "App";
const char* const OTHER_KEY = "DEVELOP";
// Answered for a key the file lacks; no file holds it, since it cannot be written.
const char* const ABSENT = "\n(absent)";

// A value the INI format stores as it is: no line break, nothing the parser trims off its
// ends, and no "<<<" that would open a multi-line value.
bool IsStorable(std::string_view value) {
    return value.find_first_of("\r\n") == std::string_view::npos && value.find("<<<") != 0 &&
           (value.empty() || (value.front() > ' ' && value.back() > ' '));
}

// Keys are the program's own names: letters, digits and underscores.
bool IsKeyName(const std::string& key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzInput input(data, size);
    const unsigned char flags = input.TakeByte();
    const std::string key = input.TakeCString();
    const std::string value = input.TakeCString();
    static const std::string path = FuzzTempPath("informatin.ini");
    FuzzWriteFile(path, input.TakeRest());

    CSettingsFile settings(path);
    (void)settings.GetString(SECTION, "DEVELOP", "");
    (void)settings.GetRaw(SECTION, "FILE_PATH", "");
    (void)settings.GetString(SECTION, key.c_str(), "");
    if ((flags & 1) == 0) {
        return 0;
    }
    const std::string other = settings.GetRaw(SECTION, OTHER_KEY, ABSENT);
    const bool written = settings.WriteRaw(SECTION, key.c_str(), value.c_str());
    FuzzCheck(written || value.find_first_of("\r\n") != std::string::npos,
              "a value without a line break is written");
    if (!written || !IsKeyName(key) || !IsStorable(value)) {
        return 0;
    }
    FuzzCheck(settings.GetRaw(SECTION, key.c_str(), ABSENT) == value, "written value read back");
    if (strcasecmp(key.c_str(), OTHER_KEY) != 0) {
        FuzzCheck(settings.GetRaw(SECTION, OTHER_KEY, ABSENT) == other, "other key kept");
    }
    return 0;
}
