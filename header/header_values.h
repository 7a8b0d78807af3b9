#pragma once

#include "header/header_analysis.h"
#include "header/header_keys.h"

#include <string>
#include <string_view>
#include <vector>

class CFieldList;
class CFormatText;

enum class HeaderExpandResult { Done, Unreadable, NotText, NoMemory };

// Adds values[i] under g_apszHeaderKeys[i], in key order, skipping empty (or null) values: the
// fields of one header. A value that cannot be added (no memory) is simply absent, as an empty
// box is; false when one was.
bool HeaderAddFields(CFieldList& list, const char* const values[HEADER_KEY_COUNT]);

// The 25 values of one header as the form's boxes hold them when Make header runs: code page 932
// text, each as a box gives it, empty for an empty box.
class CHeaderValues {
public:
    // Sets the value of key nKey (a place in g_apszHeaderKeys), cut as a box read is. A key
    // outside the list changes nothing.
    void Set(int nKey, std::string_view value);
    void Set(const std::vector<CBoxValue>& values);

    // Expands the format file at `pszPath` with every non-empty value under its key, added in key
    // order. Done with the comment (code page 932, CR LF line ends; empty when the expansion is);
    // Unreadable or NotText (binary data, see format_file.h), `comment` untouched, when the file
    // cannot serve.
    HeaderExpandResult Expand(const char* pszPath, std::string& comment) const;

    // The same through a format file already loaded (and found to be text), for veldane-header:
    // Done with the comment; NoMemory, `comment` untouched, when a value could not be added. The
    // window goes on without such a value, but a file or a script must never get a comment short
    // of one.
    HeaderExpandResult Expand(CFormatText& format, std::string& comment) const;

private:
    std::string m_astrValues[HEADER_KEY_COUNT];
};
