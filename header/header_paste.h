#pragma once

#include "format/field_list.h"
#include "header/analysis_choice.h"
#include "header/box_text.h"
#include "header/header_analysis.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Bytes of the clipboard a paste reads: a comment the paste reads back may be as long as an
// expansion writes, and the declaration after it still gets its PASTE_TEXT_MAX bytes.
constexpr std::size_t PASTE_READ_MAX = (EXPAND_OUTPUT_SIZE - 1) + PASTE_TEXT_MAX;

// What a paste puts into the form.
struct CPasteBoxes {
    // The declaration box: the cleaned text after a comment that reads back, or of the whole
    // paste when there is none.
    std::string m_strDeclaration;
    // With a comment read back: the title, the return value's description, and (when the
    // declaration is analysed as Analyse will) each argument row's description box, a row
    // without one emptied.
    std::vector<CBoxValue> m_vecDescriptions;
};

// Pasted text (code page 932, at most PASTE_READ_MAX bytes) as the form takes it. When it begins
// with a comment that reads back through the format file at pszFormatPath (null or empty for
// none) the comment fills the description boxes, and only the text after it is cleaned for the
// declaration box. Done with `boxes` set; NoMemory with `boxes` untouched.
PasteResult HeaderPaste(std::string_view pasted, const char* pszFormatPath,
                        const CAnalysisChoice& choice, CPasteBoxes& boxes);
