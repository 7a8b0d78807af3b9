#include "platform/qt_text.h"

#include "text/codepage.h"

#include <QByteArray>

// Both directions go through UTF-8 so that the code page table lives in one place only.
QString PfFromCp932(std::string_view cp932) {
    const std::string utf8 = TxtCp932ToUtf8(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string PfToCp932(const QString& text) {
    // A lone surrogate comes out of toUtf8() as a replacement character, which code page 932
    // lacks, so it ends up as '?' like any other missing character.
    const QByteArray utf8 = text.toUtf8();
    return TxtUtf8ToCp932(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}
