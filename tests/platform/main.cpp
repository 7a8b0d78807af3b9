#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // On Qt's offscreen platform, under ctest and by hand alike: no display is needed, and a real
    // one's clipboard is left alone.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
