#include "platform/qt_translation.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

#include <memory>

namespace {

QString Texts() {
    QMessageBox box(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No);
    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    return box.button(QMessageBox::Yes)->text() + '|' + box.button(QMessageBox::No)->text() + '|' +
           menu->actions().first()->text();
}

// The question's buttons and the edit boxes' menu change from Qt's English to Japanese.
TEST(QtTranslationTest, QtsOwnTextsSpeakJapanese) {
    const QString english = Texts();
    ASSERT_TRUE(english.startsWith("&Yes|&No|&Undo")) << english.toStdString();
    ASSERT_TRUE(PfInstallQtJapanese());
    EXPECT_TRUE(Texts().startsWith(QString::fromUtf8("はい(&Y)|いいえ(&N)|元に戻す")))
        << Texts().toStdString();
    // The other tests of this program see Qt's own texts again.
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    EXPECT_EQ(Texts(), english);
}

} // namespace
