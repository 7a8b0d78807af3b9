#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Stops the run with `what` on stderr when a promised property does not hold; the fuzzer keeps
// the input that did it.
void FuzzCheck(bool ok, const char* what);

// Makes the core's allocations fail while in scope: allocation n (counted from 0) is refused
// when bit n % 8 of `mask` is set, so a mask of 0 refuses nothing and 0xFF everything.
class CFuzzAllocFailures {
public:
    explicit CFuzzAllocFailures(unsigned char mask);
    ~CFuzzAllocFailures();
    CFuzzAllocFailures(const CFuzzAllocFailures&) = delete;
    CFuzzAllocFailures& operator=(const CFuzzAllocFailures&) = delete;

    // Allocations refused so far.
    int Refused() const;
};

// A caller's array holding `text` and zeros, exactly `size` bytes long (at least the text and
// its terminator), so that the sanitizer sees any byte written past its end.
std::vector<char> FuzzCallerArray(const std::string& text, std::size_t size = 0);
// True when nothing but zeros follows the terminated text in `array`.
bool FuzzZeroAfterText(const std::vector<char>& array);

// A path named `name` in a private folder of this process, removed when the process ends.
std::string FuzzTempPath(const char* name);
// Replaces the file at `path` with `bytes`; stops the run when that fails.
void FuzzWriteFile(const std::string& path, const std::string& bytes);
