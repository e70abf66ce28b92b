#include "WindowFixture.h"

#include "Texts.h"

#include <QFile>
#include <QScrollBar>
#include <QTest>

void WindowTest::SetUp() {
    ASSERT_TRUE(configDir.isValid());
    ASSERT_TRUE(workDir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir.path());
#ifdef _WIN32
    // There the settings are the registry's, which setPath does not move: the
    // key is taken away instead, so that every test starts without settings.
    QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\tovelind"), QSettings::NativeFormat)
        .remove(QStringLiteral("Tinsora"));
#endif
    // The pages shown in a browser go into the cache folder: one of the test's own.
    previousCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(configDir.filePath(QStringLiteral("cache"))));
    // The program finds its settings file where the desktop keeps settings.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configDir.path()));
    previousDir = QDir::currentPath();
    QDir::setCurrent(workDir.path());
    WriteTemplates("black\r\n000000\r\nend;\r\n");
}

void WindowTest::TearDown() {
    window.reset();
    // A test that chose another language leaves the next one in Japanese, as it found it.
    if (CurrentLanguage() != tinsora::Language::Japanese) {
        SetLanguage(tinsora::Language::Japanese);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }
    qputenv("XDG_CACHE_HOME", previousCache);
    QDir::setCurrent(previousDir);
}

void WindowTest::WriteTemplates(const QByteArray& bytes) {
    QFile file(workDir.filePath(QStringLiteral("tinsora.col")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TfrmMain& WindowTest::Open() {
    window = std::make_unique<TfrmMain>(services);
    return *window;
}

void WindowTest::RemoveTemplates() {
    QFile::remove(workDir.filePath(QStringLiteral("tinsora.col")));
}

void WindowTest::SetColor(int red, int green, int blue) {
    ui().ScrollBarR->setValue(red);
    ui().ScrollBarG->setValue(green);
    ui().ScrollBarB->setValue(blue);
}

void WindowTest::Close() {
    window.reset();
}

QSettings WindowTest::Settings() const {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tovelind"),
                     QStringLiteral("Tinsora"));
}

bool WindowTest::RunEnds(int ms) {
    return QTest::qWaitFor([&] { return !window->runInProgress(); }, ms);
}
