#include "Application.h"

#include "Texts.h"

#include <QApplication>
#include <QFont>

namespace {

// The window asks for the Japanese system font of the platform it comes
// from; elsewhere a font of the same build stands in for it.
const QStringList kFontStandIns = {
    QStringLiteral("IPAPGothic"),    QStringLiteral("IPAGothic"),
    QStringLiteral("VL PGothic"),    QStringLiteral("Noto Sans CJK JP"),
    QStringLiteral("Hiragino Sans"), QStringLiteral("Meiryo")};

} // namespace

void SetUpApplication(QApplication& app) {
    Q_INIT_RESOURCE(icons);
    (void)app;
    SetLanguage(SystemLanguage());
    for (const QString& family : {QStringLiteral("MS PGothic"), QStringLiteral("ＭＳ Ｐゴシック")})
        QFont::insertSubstitutions(family, kFontStandIns);
    QFont font;
    font.setFamilies({QStringLiteral("MS PGothic")});
    font.setPixelSize(12);
    QApplication::setFont(font);
}
