#include "app/key_boxes.h"

#include "app/control_ids.h"
#include "header/header_keys.h"

namespace {

struct CKeyBox {
    CHeaderKey eKey;
    int nId;
};

// The boxes outside the argument rows; each row's boxes follow from its first.
constexpr CKeyBox FUNCTION_BOXES[] = {
    {CHeaderKey::Func, IDC_FUNC},         {CHeaderKey::Ret, IDC_RET},
    {CHeaderKey::RetText, IDC_RET_TEXT},  {CHeaderKey::Class, IDC_CLASS},
    {CHeaderKey::Developer, IDC_DEVELOP}, {CHeaderKey::Title, IDC_TITLE},
    {CHeaderKey::Date, IDC_DATE},
};

} // namespace

int KeyBoxId(int nKey) {
    for (const CKeyBox& box : FUNCTION_BOXES) {
        if (HeaderKeyIndex(box.eKey) == nKey) {
            return box.nId;
        }
    }
    const int nArgKey = nKey - HeaderKeyIndex(CHeaderKey::FirstArg);
    const int nParts = static_cast<int>(CArgPart::Count);
    if (nArgKey < 0 || nArgKey >= HEADER_ARG_ROWS * nParts) {
        return IDC_STATIC;
    }
    // A row's boxes follow one another in the order of its keys.
    static_assert(ARG_ROW_STRIDE == static_cast<int>(CArgPart::Count));
    return IDC_ARG1_TYPE + nArgKey;
}
