// The window in each language: every text in it, and every text fitting its widget.

#include "Texts.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

using tinsora::Language;

// Kana, the CJK ideographs and punctuation, and the full- and half-width forms.
bool HasJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
            (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

QString Plain(QString text) {
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)$"))); // a Japanese item's "(&F)"
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.section(QLatin1Char('\t'), 0, 0); // not the shortcut after a tab
}

struct Text {
    QString where;
    QString text;
};

// Every text of the window a user reads or a screen reader speaks, but the user's own content
// (the boxes' texts, the template names) and the language menu, which names each language in
// itself.
std::vector<Text> TextsOf(QMainWindow& window) {
    std::vector<Text> texts;
    const auto add = [&texts](const QObject* o, const char* what, const QString& text) {
        if (!text.isEmpty())
            texts.push_back({o->objectName() + QLatin1Char('.') + QLatin1String(what), text});
    };
    add(&window, "windowTitle", window.windowTitle());
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        add(w, "toolTip", w->toolTip());
        add(w, "accessibleName", w->accessibleName());
        add(w, "accessibleDescription", w->accessibleDescription());
        if (const auto* label = qobject_cast<const QLabel*>(w))
            add(w, "text", label->text());
        if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            add(w, "text", button->text());
        if (const auto* box = qobject_cast<const QGroupBox*>(w))
            add(w, "title", box->title());
        if (const auto* edit = qobject_cast<const QLineEdit*>(w))
            add(w, "placeholderText", edit->placeholderText());
        if (const auto* tabs = qobject_cast<const QTabWidget*>(w))
            for (int k = 0; k < tabs->count(); ++k)
                add(w, "tabText", tabs->tabText(k));
    }
    for (const QAction* a : window.findChildren<QAction*>()) {
        if (a->objectName().startsWith(QStringLiteral("mnuLanguage")) ||
            (a->menu() && a->menu()->objectName() == QStringLiteral("mnuLanguage")))
            continue;
        add(a, "text", a->text());
        if (a->toolTip() != Plain(a->text())) // Qt's own tooltip of an action is its text
            add(a, "toolTip", a->toolTip());
        add(a, "statusTip", a->statusTip());
    }
    return texts;
}

// The texts that do not fit where they stand, as "name: text (needs n, has m)".
QStringList Clipped(QMainWindow& window) {
    QStringList clipped;
    const auto check = [&clipped](const QWidget* w, const QString& text, int needs, int has) {
        if (needs > has)
            clipped << QStringLiteral("%1: %2 (needs %3, has %4)")
                           .arg(w->objectName(), text)
                           .arg(needs)
                           .arg(has);
    };
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window))
            continue;
        const QFontMetrics fm = w->fontMetrics();
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            if (label->text().isEmpty() || label->pixmap().toImage().width() > 0)
                continue;
            const QRect r = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                           -label->margin(), -label->margin());
            if (label->wordWrap()) {
                check(w, label->text(), label->heightForWidth(label->width()), label->height());
                continue;
            }
            const QStringList lines = label->text().split(QLatin1Char('\n'));
            int widest = 0;
            for (const QString& line : lines)
                widest = std::max(widest, fm.horizontalAdvance(line));
            check(w, label->text(), widest, r.width());
            check(w, label->text(), fm.height() * static_cast<int>(lines.size()), r.height());
        } else if (const auto* box = qobject_cast<const QCheckBox*>(w)) {
            QStyleOptionButton o;
            o.initFrom(box);
            o.text = box->text();
            const QRect r = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &o, box);
            check(w, box->text(), fm.horizontalAdvance(Plain(box->text())), r.width());
        } else if (const auto* radio = qobject_cast<const QRadioButton*>(w)) {
            QStyleOptionButton o;
            o.initFrom(radio);
            o.text = radio->text();
            const QRect r =
                radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &o, radio);
            check(w, radio->text(), fm.horizontalAdvance(Plain(radio->text())), r.width());
        } else if (const auto* push = qobject_cast<const QPushButton*>(w)) {
            QStyleOptionButton o;
            o.initFrom(push);
            o.text = push->text();
            const QRect r = push->style()->subElementRect(QStyle::SE_PushButtonContents, &o, push);
            const int icon = push->icon().isNull() ? 0 : push->iconSize().width() + 4;
            check(w, push->text(), fm.horizontalAdvance(Plain(push->text())) + icon, r.width());
        } else if (const auto* tool = qobject_cast<const QToolButton*>(w)) {
            if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull())
                continue; // the text is not shown
            const int icon = tool->toolButtonStyle() == Qt::ToolButtonTextBesideIcon
                                 ? tool->iconSize().width() + 4
                                 : 0;
            check(w, tool->text(), fm.horizontalAdvance(Plain(tool->text())) + icon,
                  tool->width() - 4);
        } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            QStyleOptionGroupBox o;
            o.initFrom(group);
            o.text = group->title();
            o.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            o.textAlignment = group->alignment();
            const QRect r = group->style()->subControlRect(QStyle::CC_GroupBox, &o,
                                                           QStyle::SC_GroupBoxLabel, group);
            check(w, group->title(), r.left() + fm.horizontalAdvance(group->title()),
                  group->width());
        } else if (const auto* bar = qobject_cast<const QTabBar*>(w)) {
            for (int k = 0; k < bar->count(); ++k) {
                // The tab's padding (4 pixels each side) is the window's style sheet's.
                check(w, bar->tabText(k), fm.horizontalAdvance(bar->tabText(k)) + 8,
                      bar->tabRect(k).width());
                check(w, bar->tabText(k), bar->tabRect(k).right() + 1, bar->width());
            }
        } else if (const auto* menuBar = qobject_cast<const QMenuBar*>(w)) {
            for (QAction* a : menuBar->actions()) {
                const QRect r = menuBar->actionGeometry(a);
                check(w, a->text(), r.isEmpty() ? 1 : r.right() + 1, menuBar->width());
            }
        }
    }
    return clipped;
}

class LanguageTest : public WindowTest {
protected:
    // The window in a language, at its largest, with every page of every tab widget shown in
    // turn: what does not fit on any of them.
    QStringList ClippedOnEveryPage() {
        window->show();
        QStringList clipped;
        for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
            for (int k = 0; k < tabs->count(); ++k) {
                tabs->setCurrentIndex(k);
                QCoreApplication::processEvents();
                clipped << Clipped(*window);
            }
        }
        clipped.removeDuplicates();
        return clipped;
    }

    void Speak(Language language) {
        SetLanguage(language);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }
};

TEST_F(LanguageTest, JapaneseTextsAreTheProgramsOwnAndFit) {
    Open();
    window->show();
    QCoreApplication::processEvents();
    // Each text as it stands in the program's sources, kept in a file beside this test.
    QStringList lines;
    for (const Text& t : TextsOf(*window))
        lines << t.where + QLatin1Char('\t') +
                     QString(t.text).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    lines.sort();
    const QString path = QStringLiteral(TINSORA_SOURCE_DIR "/tests/app/japanese-texts.txt");
    if (qEnvironmentVariableIsSet("TINSORA_WRITE_TEXTS")) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    }
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QStringList expected =
        QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(ClippedOnEveryPage(), QStringList());
}

TEST_F(LanguageTest, EnglishHasNoJapaneseAndFits) {
    Open();
    Speak(Language::English);
    EXPECT_TRUE(ui().mnuLanguageEnglish->isChecked());
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Tinsora [")));
    EXPECT_EQ(ui().File1->title(), QStringLiteral("&File"));
    QStringList japanese;
    for (const Text& t : TextsOf(*window))
        if (HasJapanese(t.text))
            japanese << t.where + QStringLiteral(": ") + t.text;
    EXPECT_EQ(japanese, QStringList());
    EXPECT_EQ(ClippedOnEveryPage(), QStringList());
}

// The language changes at once, the user's typing stays, and the choice is kept.
TEST_F(LanguageTest, TheMenuChangesTheLanguageAndTheSettingKeepsIt) {
    Open();
    ui().edtTextFileName->setText(QStringLiteral("C:\\テキスト.txt"));
    ui().mnuLanguageEnglish->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(ui().SpeedButton2->text(), QStringLiteral("Make"));
    EXPECT_EQ(ui().edtTextFileName->text(), QStringLiteral("C:\\テキスト.txt"));
    Close();
    EXPECT_EQ(Settings().value(QStringLiteral("Language")).toString(), QStringLiteral("en"));

    Speak(Language::Japanese); // as the system's might be: the setting decides
    Open();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(CurrentLanguage(), Language::English);
    EXPECT_EQ(ui().edtTextFileName->text(), QStringLiteral("(Type the full path of the file)"));
    ui().mnuLanguageJapanese->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(ui().edtTextFileName->text(),
              QStringLiteral("（ファイル名をフルパスで入力してください）"));
    EXPECT_EQ(ui().SpeedButton2->text(), QStringLiteral("作成"));
}

} // namespace
