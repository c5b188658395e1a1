#include <QApplication>

#include <gtest/gtest.h>

// Fonts, painters and widgets need an application; the tests run offscreen, without a display.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
