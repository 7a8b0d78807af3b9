#include "platform/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Qt's translation of its base module (widgets and dialogs), in Qt's own translations folder.
const char* const QT_BASE_JAPANESE = "qtbase_ja";

} // namespace

bool PfInstallQtJapanese() {
    QCoreApplication* pApp = QCoreApplication::instance();
    if (pApp == nullptr) {
        return false;
    }
    // Owned by the application, so it lives exactly as long as the texts are asked for.
    auto* pTranslator = new QTranslator(pApp);
    if (!pTranslator->load(QString::fromLatin1(QT_BASE_JAPANESE),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(pTranslator)) {
        delete pTranslator;
        return false;
    }
    return true;
}
