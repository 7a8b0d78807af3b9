#include "platform/clipboard.h"

#include "platform/qt_text.h"
#include "text/codepage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

namespace {

// Qt's clipboard exists only while a GUI application object does.
QClipboard* AppClipboard() {
    return qGuiApp != nullptr ? QGuiApplication::clipboard() : nullptr;
}

// Drops the text beyond what can reach maxBytes, so that a huge clipboard is not converted
// whole to keep its first few bytes. Every character gives at least one byte and takes at most
// two UTF-16 units, so 2 * maxBytes units (plus a margin for the character that decides the
// cut) always cover the first maxBytes bytes.
void DropUnreachable(QString* pText, std::size_t maxBytes) {
    // Compared with half the size, so that 2 * maxBytes cannot overflow.
    if (maxBytes < static_cast<std::size_t>(pText->size()) / 2) {
        pText->truncate(static_cast<qsizetype>(2 * maxBytes + 4));
    }
}

} // namespace

int ClipReadText(std::string* pCp932, std::size_t maxBytes) {
    pCp932->clear();
    QClipboard* clipboard = AppClipboard();
    if (clipboard == nullptr) {
        return CLIP_ERROR;
    }
    // Qt's own clipboard, used where the platform brings none, has no data at all once it is
    // emptied: that is an empty clipboard, not a broken one.
    const QMimeData* mime = clipboard->mimeData();
    if (mime == nullptr || !mime->hasText()) {
        return CLIP_NO_TEXT;
    }
    QString text = mime->text();
    // The program's texts end at their first NUL, so a NUL character copied along from some
    // program would silently cut off everything after it; it carries nothing and is dropped.
    text.remove(QChar(0));
    DropUnreachable(&text, maxBytes);
    std::string cp932 = PfToCp932(text);
    cp932.resize(TxtCp932Cut(cp932, maxBytes));
    *pCp932 = std::move(cp932);
    return CLIP_OK;
}

bool ClipWriteText(std::string_view cp932) {
    QClipboard* clipboard = AppClipboard();
    if (cp932.empty() || clipboard == nullptr) {
        return false;
    }
    QString text = PfFromCp932(cp932);
    // Qt puts the platform's own line ends back where the platform has other ones.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // A fresh object holding text/plain alone, so nothing the clipboard held before survives.
    auto* mime = new QMimeData;
    mime->setText(text);
    clipboard->setMimeData(mime);
    // The clipboard may be refused (no display connection, another owner stepping in); only
    // text that can be read back has really been placed.
    const QMimeData* placed = clipboard->mimeData();
    return placed != nullptr && placed->hasText() && placed->text() == text;
}
