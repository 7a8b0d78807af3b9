#pragma once

#include "analyser/tidy_tokens.h"

#include <string>

// Writes tokens one after the other in the spelling a compiler prints types in: single spaces
// between words, none inside brackets or around "::", and a space before a run of pointer and
// reference marks but none after it: "const char *", "std::map<int, int>", "void (*)(int)".
class CTidySpeller {
public:
    // `token` must stay alive until the next call.
    void Add(const CTidyToken& token);
    const std::string& Text() const { return m_strText; }

private:
    std::string m_strText;
    const CTidyToken* m_pPrev = nullptr;
};
