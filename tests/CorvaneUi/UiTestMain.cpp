#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// Widgets and the event loop need an application object; the offscreen platform needs no display.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
