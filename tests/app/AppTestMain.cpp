#include "Application.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetUpApplication(app); // the translation, fonts and pictures the program uses
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
