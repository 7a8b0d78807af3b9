#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Listing the tests runs outside ctest's environment too: offscreen keeps that, and a run by
    // hand, off any real display and its clipboard.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
