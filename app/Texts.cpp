#include "Texts.h"

#include "color/Notation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <array>

namespace {

tinsora::Language current = tinsora::Language::Japanese;

// The translators installed now; they belong to the application.
QTranslator* ownTranslator = nullptr;
QTranslator* qtTranslator = nullptr;

void Remove(QTranslator*& translator) {
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
}

// Qt's own texts in the language, from Qt's folder or from translations/ beside the program,
// where they are deployed with it; without them the dialogs keep Qt's English.
QTranslator* LoadQtTranslation(const QLocale& locale) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    for (const QString& folder :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))}) {
        if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return translator;
    }
    delete translator;
    return nullptr;
}

} // namespace

tinsora::Language CurrentLanguage() {
    return current;
}

tinsora::Language SystemLanguage() {
    const QStringList languages = QLocale::system().uiLanguages();
    const QString first = languages.isEmpty() ? QLocale::system().name() : languages.first();
    return tinsora::LanguageOfLocaleName(first.toStdString());
}

void SetLanguage(tinsora::Language language) {
    current = language;
    Remove(ownTranslator);
    Remove(qtTranslator);
    const bool japanese = language == tinsora::Language::Japanese;
    if (!japanese) {
        ownTranslator = new QTranslator(QCoreApplication::instance());
        if (ownTranslator->load(QStringLiteral(":/i18n/tinsora_en.qm")))
            QCoreApplication::installTranslator(ownTranslator);
        else
            Remove(ownTranslator);
    }
    qtTranslator = LoadQtTranslation(japanese ? QLocale(QLocale::Japanese, QLocale::Japan)
                                              : QLocale(QLocale::English, QLocale::UnitedStates));
    if (qtTranslator)
        QCoreApplication::installTranslator(qtTranslator);
}

QString ErrorText(const std::exception& error) {
    if (const auto* e = dynamic_cast<const tinsora::Error*>(&error))
        return QString::fromStdString(tinsora::Worded(*e, current));
    return QString::fromUtf8(error.what());
}

QString BodyRoleName(tinsora::BodyRole role) {
    static constexpr std::array kNames{
        QT_TRANSLATE_NOOP("TfrmMain", "背景色(bgcolor)"),
        QT_TRANSLATE_NOOP("TfrmMain", "テキスト(text)"),
        QT_TRANSLATE_NOOP("TfrmMain", "リンク(link)"),
        QT_TRANSLATE_NOOP("TfrmMain", "既読リンク(vlink)"),
        QT_TRANSLATE_NOOP("TfrmMain", "選択リンク(alink)"),
    };
    static_assert(kNames.size() == tinsora::kBodyPreviewLines.size());
    return QCoreApplication::translate("TfrmMain", kNames.at(static_cast<std::size_t>(role)));
}

QString CaptionText(int type, int red, int green, int blue, bool sharp) {
    QString notation;
    switch (type) {
    case tinsora::ctHex:
        notation = QCoreApplication::translate("TfrmMain", "16進数") + QStringLiteral(" : ");
        break;
    case tinsora::ctRGB:
        break;
    case tinsora::ctVB:
        notation = QStringLiteral("VisualBasic : ");
        break;
    case tinsora::ctCB:
        notation = QStringLiteral("C++Builder,Delphi : ");
        break;
    case tinsora::ctCssRgb:
    case tinsora::ctCssHsl:
        notation = QStringLiteral("CSS : ");
        break;
    default:
        return {};
    }
    return QCoreApplication::translate("TfrmMain", "ティンソラ") + QStringLiteral(" [") + notation +
           QString::fromStdString(tinsora::FormatColorText(type, red, green, blue, sharp)) +
           QLatin1Char(']');
}
