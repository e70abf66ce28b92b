#include "Application.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// The window asks for the Japanese system font of the platform it comes
// from; elsewhere a font of the same build stands in for it.
const QStringList kFontStandIns = {
    QStringLiteral("IPAPGothic"),    QStringLiteral("IPAGothic"),
    QStringLiteral("VL PGothic"),    QStringLiteral("Noto Sans CJK JP"),
    QStringLiteral("Hiragino Sans"), QStringLiteral("Meiryo")};

void InstallQtTranslation(QApplication& app) {
    auto* translator = new QTranslator(&app);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    // Qt's own folder, or a folder beside the program where Qt's
    // translations are deployed with it.
    for (const QString& folder :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))}) {
        if (translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator; // the standard dialogs stay in Qt's own English
}

} // namespace

void SetUpApplication(QApplication& app) {
    Q_INIT_RESOURCE(icons);
    InstallQtTranslation(app);
    for (const QString& family : {QStringLiteral("MS PGothic"), QStringLiteral("ＭＳ Ｐゴシック")})
        QFont::insertSubstitutions(family, kFontStandIns);
    QFont font;
    font.setFamilies({QStringLiteral("MS PGothic")});
    font.setPixelSize(12);
    QApplication::setFont(font);
}
