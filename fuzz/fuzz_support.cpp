#include "fuzz/fuzz_support.h"

#include "text/txt_alloc.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

unsigned char g_nRefuseMask = 0;
int g_nAllocations = 0;
int g_nRefused = 0;

bool AllowAllocation(std::size_t) {
    const int bit = g_nAllocations++ % 8;
    if ((g_nRefuseMask >> bit) & 1) {
        ++g_nRefused;
        return false;
    }
    return true;
}

std::filesystem::path g_tempFolder;

void RemoveTempFolder() {
    std::error_code error;
    std::filesystem::remove_all(g_tempFolder, error);
}

} // namespace

void FuzzCheck(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

CFuzzAllocFailures::CFuzzAllocFailures(unsigned char mask) {
    g_nRefuseMask = mask;
    g_nAllocations = 0;
    g_nRefused = 0;
    TxtSetAllocHook(&AllowAllocation);
}

CFuzzAllocFailures::~CFuzzAllocFailures() {
    TxtSetAllocHook(nullptr);
}

int CFuzzAllocFailures::Refused() const {
    return g_nRefused;
}

std::vector<char> FuzzCallerArray(const std::string& text, std::size_t size) {
    // A C string ends at its first NUL; what follows would not be text.
    const std::size_t length = std::strlen(text.c_str());
    std::vector<char> array(std::max(size, length + 1), '\0');
    std::memcpy(array.data(), text.data(), length);
    return array;
}

bool FuzzZeroAfterText(const std::vector<char>& array) {
    const std::size_t length = strnlen(array.data(), array.size());
    if (length == array.size()) {
        return false;
    }
    // All bytes from the terminator on equal their neighbours and the first is zero; done by the
    // C library so that a 64 KiB output is not walked through the fuzzer's instrumentation.
    const char* tail = array.data() + length;
    return std::memcmp(tail, tail + 1, array.size() - length - 1) == 0;
}

std::string FuzzTempPath(const char* name) {
    if (g_tempFolder.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "veldane-fuzz-XXXXXX");
        FuzzCheck(mkdtemp(pattern.data()) != nullptr, "private temporary folder");
        g_tempFolder = pattern;
        std::atexit(&RemoveTempFolder);
    }
    return (g_tempFolder / name).string();
}

void FuzzWriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    FuzzCheck(out.good(), "temporary file written");
}
