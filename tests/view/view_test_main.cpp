#include <QGuiApplication>

#include <gtest/gtest.h>

// Fonts and painters need a GUI application; the tests draw offscreen, without a display.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
