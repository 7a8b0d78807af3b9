#include "header/format_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

// Bytes at the start of a file looked at to tell text from an executable or other binary data.
constexpr std::size_t TEXT_SAMPLE_SIZE = 4096;
// An executable's first bytes.
constexpr std::string_view EXECUTABLE_MAGIC = "\x7F"
                                              "ELF";
// Control bytes other than tab, line feed, carriage return, form feed and escape are rare in
// text: at least one in this many bytes of the sample is binary data...
constexpr std::size_t BINARY_CONTROL_SHARE = 16;
// ...as long as there are this many, so that a few stray ones in a short file are told apart by
// --check line by line instead.
constexpr std::size_t BINARY_CONTROL_MIN = 8;

bool IsBinaryControl(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return (value < 0x20 && std::strchr("\t\n\r\f\x1B", byte) == nullptr) || value == 0x7F;
}

} // namespace

bool HeaderLooksBinary(std::string_view start) {
    const std::string_view sample = start.substr(0, TEXT_SAMPLE_SIZE);
    const auto controls =
        static_cast<std::size_t>(std::count_if(sample.begin(), sample.end(), IsBinaryControl));
    return sample.substr(0, EXECUTABLE_MAGIC.size()) == EXECUTABLE_MAGIC ||
           (controls >= BINARY_CONTROL_MIN && controls * BINARY_CONTROL_SHARE >= sample.size());
}

FormatFileKind HeaderFormatFileKind(const char* path) {
    std::error_code error;
    if (path == nullptr || !std::filesystem::is_regular_file(path, error)) {
        return FormatFileKind::Unreadable;
    }
    std::ifstream file(path, std::ios::binary);
    char sample[TEXT_SAMPLE_SIZE];
    file.read(sample, sizeof sample);
    if (!file.is_open() || file.bad()) {
        return FormatFileKind::Unreadable;
    }
    const auto length = static_cast<std::size_t>(file.gcount());
    return HeaderLooksBinary(std::string_view(sample, length)) ? FormatFileKind::NotText
                                                               : FormatFileKind::Text;
}
