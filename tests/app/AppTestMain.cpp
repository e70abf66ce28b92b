#include "Application.h"
#include "Texts.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Headless. Qt for Windows is built without FreeType, which its offscreen
    // platform needs; its minimal platform draws with the system's fonts
    // when asked to.
#ifdef _WIN32
    qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts");
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication app(argc, argv);
    SetUpApplication(app); // the translation, fonts and pictures the program uses
    // The tests assert the window's Japanese texts whatever the machine's locale; those of
    // English choose it themselves.
    SetLanguage(tinsora::Language::Japanese);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
