#include "app/key_boxes.h"

#include "app/control_ids.h"
#include "header/header_keys.h"

#include <array>

namespace {

// The boxes in key order: those outside the argument rows as the keys list them, then the rows,
// whose boxes follow one another in the order of their keys.
constexpr std::array<int, HEADER_KEY_COUNT> KEY_BOXES = [] {
    std::array<int, HEADER_KEY_COUNT> anIds{IDC_FUNC,    IDC_RET,   IDC_RET_TEXT, IDC_CLASS,
                                            IDC_DEVELOP, IDC_TITLE, IDC_DATE};
    static_assert(ARG_ROW_STRIDE == static_cast<int>(ArgPart::Count));
    for (int nKey = HeaderKeyIndex(HeaderKey::FirstArg); nKey < HEADER_KEY_COUNT; ++nKey) {
        anIds[nKey] = IDC_ARG1_TYPE + nKey - HeaderKeyIndex(HeaderKey::FirstArg);
    }
    return anIds;
}();

} // namespace

int KeyBoxId(int nKey) {
    return nKey >= 0 && nKey < HEADER_KEY_COUNT ? KEY_BOXES[nKey] : IDC_STATIC;
}
