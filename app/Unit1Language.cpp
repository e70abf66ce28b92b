// The window's language: the menu that chooses it, the setting that keeps it, and the texts the
// code sets, set again when the language changes (the .ui's own are set by retranslateUi).

#include "Texts.h"
#include "Unit1.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QToolButton>

namespace {

const QString kJapanese = QStringLiteral("ja");
const QString kEnglish = QStringLiteral("en");
const char* const kQtTabBar = "QTabBar";

// The file name box's text until the user types a name.
QString FileNameHint() {
    return TfrmMain::tr("（ファイル名をフルパスで入力してください）");
}

} // namespace

void TfrmMain::ConnectLanguage() {
    auto* languages = new QActionGroup(this);
    languages->addAction(ui->mnuLanguageJapanese);
    languages->addAction(ui->mnuLanguageEnglish);
    connect(ui->mnuLanguageJapanese, &QAction::triggered, this,
            [this] { Guard([this] { ChooseLanguage(kJapanese); }); });
    connect(ui->mnuLanguageEnglish, &QAction::triggered, this,
            [this] { Guard([this] { ChooseLanguage(kEnglish); }); });
    shownFileNameHint = FileNameHint();
    ui->edtTextFileName->setText(shownFileNameHint);
    ui->mnuLanguageJapanese->setChecked(CurrentLanguage() == tinsora::Language::Japanese);
    ui->mnuLanguageEnglish->setChecked(CurrentLanguage() == tinsora::Language::English);
}

void TfrmMain::ChooseLanguage(const QString& setting) {
    if (setting != kJapanese && setting != kEnglish)
        return; // the system's language stays
    languageSetting = setting;
    const tinsora::Language language =
        setting == kJapanese ? tinsora::Language::Japanese : tinsora::Language::English;
    if (language != CurrentLanguage())
        SetLanguage(language);
    ui->mnuLanguageJapanese->setChecked(language == tinsora::Language::Japanese);
    ui->mnuLanguageEnglish->setChecked(language == tinsora::Language::English);
}

void TfrmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        Guard([this] { RetranslateTexts(); });
    }
    QMainWindow::changeEvent(event);
}

void TfrmMain::RetranslateTexts() {
    RefreshColorDisplay(); // the caption and the notation
    ShowBodyContrast();
    DrawBodyPreview();
    ShowGradientTextContrast(gradTextLowest);
    NameControls();
    // Qt names a tab bar's scroll buttons as it makes them, and not again; the names are Qt's
    // own texts, translated by Qt's translation.
    for (const char* name : {"Scroll Left", "Scroll Right"}) {
        const QString objectName =
            QString::fromLatin1(name).remove(QLatin1Char(' ')) + QStringLiteral("Button");
        for (QToolButton* button : findChildren<QToolButton*>(objectName))
            button->setAccessibleName(QCoreApplication::translate(kQtTabBar, name));
    }
    // The hint is replaced only while the box still holds it, never a name the user typed.
    if (ui->edtTextFileName->text() == shownFileNameHint) {
        shownFileNameHint = FileNameHint();
        ui->edtTextFileName->setText(shownFileNameHint);
    }
    ui->mnuLanguageJapanese->setChecked(CurrentLanguage() == tinsora::Language::Japanese);
    ui->mnuLanguageEnglish->setChecked(CurrentLanguage() == tinsora::Language::English);
}
