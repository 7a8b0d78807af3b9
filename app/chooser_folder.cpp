#include "app/chooser_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

std::string AppChooserFolder(const char* pszFormatPath, const QString& strProgramDir) {
    QStringList listFolders;
    if (pszFormatPath[0] != '\0') {
        listFolders << QFileInfo(QFile::decodeName(pszFormatPath)).absolutePath();
    }
    listFolders << strProgramDir + QStringLiteral("/" VELDANE_FORMATS_FROM_BIN)
                << QStringLiteral(VELDANE_SOURCE_FORMATS);
    for (const QString& strFolder : listFolders) {
        if (QFileInfo(strFolder).isDir()) {
            // Without "bin/..": the chooser shows the folder's path to the user.
            return QFile::encodeName(QDir::cleanPath(strFolder)).toStdString();
        }
    }
    return QFile::encodeName(QDir::homePath()).toStdString();
}
