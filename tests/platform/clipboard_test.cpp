#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

#include <tuple>

namespace {

// Whatever the clipboard held goes; an empty text is not placed and leaves it as it was.
TEST(ClipboardTest, WriteLeavesPlainTextOnlyWithLfLineEnds) {
    const std::tuple<std::string, const char16_t*> rows[] = {
        {"/*\r\n * f\r\n */\r\n", u"/*\n * f\n */\n"},
        {"a\rb\nc\r\r\n\x93\xfa\x81\x60\xb1", u"a\rb\nc\r\n日～ｱ"},
        {"", u"kept"},
    };
    for (const auto& [cp932, placed] : rows) {
        auto* before = new QMimeData;
        before->setText("kept");
        before->setData("application/x-other", "data");
        QGuiApplication::clipboard()->setMimeData(before);
        EXPECT_EQ(ClipWriteText(cp932), !cp932.empty());
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf16(placed));
        EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->formats().size(),
                  cp932.empty() ? 2 : 1);
    }
}

} // namespace
