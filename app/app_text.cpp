#include "app/app_text.h"

#include "platform/qt_text.h"

#include <QString>

std::string AppText(const char* pszUtf8) {
    return PfToCp932(QString::fromUtf8(pszUtf8));
}
