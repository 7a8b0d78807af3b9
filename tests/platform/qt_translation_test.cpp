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
    const QString japanese = Texts();
    EXPECT_TRUE(japanese.startsWith(QString::fromUtf8("はい"))) << japanese.toStdString();
    EXPECT_TRUE(japanese.contains(QString::fromUtf8("いいえ"))) << japanese.toStdString();
    EXPECT_TRUE(japanese.contains(QString::fromUtf8("元に戻す"))) << japanese.toStdString();
    // The other tests of this program see Qt's own texts again.
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    EXPECT_EQ(Texts(), english);
}

} // namespace
