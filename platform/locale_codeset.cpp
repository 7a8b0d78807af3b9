#include "platform/locale_codeset.h"

#include <langinfo.h>
#include <locale.h>

std::string PfLocaleCodeset() {
    // A locale object of its own, so that the process keeps the "C" locale its output relies on.
    const locale_t hLocale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (hLocale == static_cast<locale_t>(nullptr)) {
        return {};
    }
    std::string strCodeset = nl_langinfo_l(CODESET, hLocale);
    freelocale(hLocale);
    return strCodeset;
}
