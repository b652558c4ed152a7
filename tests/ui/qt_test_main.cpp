// GoogleTest main for widget tests: one QApplication on the platform the environment names
// (offscreen unless the environment names another).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // The widget tests need no display: Qt's offscreen platform unless one is named.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
