// tinsora_widget_map: the main window's controls as scripts/monkey aims at
// them, one line each, in pixels from the window's top left corner:
//   size TYPE TOOLBAR WIDTH HEIGHT        the window for each window type and tool bar state
//   shift PANEL PIXELS                    what PANEL moves up by when the tool bar is hidden
//   widget NAME CLASS X Y W H PAGE FLAGS  PAGE: TABS/INDEX or -; FLAGS: f takes the
//                                         keyboard, p moves with PANEL, t is on the tool bar
//                                         strip, c holds other controls
//   tab TABS INDEX X Y W H FLAGS          a page's tab
//   title MENU X Y W H                    a menu's title in the menu bar
//   menu MENU W H                         a drop-down menu's size
//   item MENU NAME X Y W H SUB            an entry of MENU (SUB 1: it opens the menu NAME)

#include "Application.h"
#include "QtDesktopServices.h"
#include "Texts.h"
#include "Unit1.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

namespace {

QString PageOf(const QWidget* widget) {
    for (const QWidget* w = widget; w && w->parentWidget(); w = w->parentWidget()) {
        const auto* stack = qobject_cast<const QStackedWidget*>(w->parentWidget());
        const auto* tabs = stack ? qobject_cast<const QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs)
            return QStringLiteral("%1/%2").arg(tabs->objectName()).arg(tabs->indexOf(w));
    }
    return QStringLiteral("-");
}

bool HoldsControls(const QWidget* widget) {
    for (const QObject* child : widget->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (w && !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return true;
    }
    return false;
}

struct Strips {
    const QWidget* panel;   // moves up when the tool bar is hidden
    const QWidget* toolBar; // hidden with it
};

QString Flags(const QWidget* widget, const Strips& strips) {
    QString flags;
    if (widget->focusPolicy() & Qt::ClickFocus)
        flags += QLatin1Char('f');
    if (strips.panel->isAncestorOf(widget))
        flags += QLatin1Char('p');
    if (strips.toolBar == widget || strips.toolBar->isAncestorOf(widget))
        flags += QLatin1Char('t');
    if (HoldsControls(widget))
        flags += QLatin1Char('c');
    return flags.isEmpty() ? QStringLiteral("-") : flags;
}

void Print(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
}

QString Rect(const QRect& r) {
    return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Every named control shown on the page now chosen (or outside the pages).
void PrintWidgets(TfrmMain& window, const QString& page, const Strips& strips) {
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || qobject_cast<QMenu*>(w) ||
            !w->isVisibleTo(&window) || PageOf(w) != page)
            continue;
        const QRect at(w->mapTo(&window, QPoint(0, 0)), w->size());
        Print(QStringLiteral("widget %1 %2 %3 %4 %5")
                  .arg(name, QString::fromLatin1(w->metaObject()->className()), Rect(at), page,
                       Flags(w, strips)));
    }
}

void PrintMenus(TfrmMain& window, QMenuBar* bar) {
    for (QAction* a : bar->actions()) {
        if (a->menu() && a->isVisible())
            Print(QStringLiteral("title %1 %2")
                      .arg(a->menu()->objectName(),
                           Rect(QRect(bar->mapTo(&window, bar->actionGeometry(a).topLeft()),
                                      bar->actionGeometry(a).size()))));
    }
    for (QMenu* menu : window.findChildren<QMenu*>()) {
        if (menu->objectName().isEmpty())
            continue;
        const QSize size = menu->sizeHint();
        Print(QStringLiteral("menu %1 %2 %3")
                  .arg(menu->objectName())
                  .arg(size.width())
                  .arg(size.height()));
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
            Print(QStringLiteral("item %1 %2 %3 %4")
                      .arg(menu->objectName(), name, Rect(menu->actionGeometry(a)),
                           a->menu() ? QStringLiteral("1") : QStringLiteral("0")));
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpApplication(app);
    SetLanguage(tinsora::Language::Japanese); // the texts asserted and the places known
    QtDesktopServices services;
    TfrmMain window(services);
    Ui::TfrmMain* ui = window.form();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    QAction* types[] = {ui->mnuWindowMin, ui->mnuWindowBas, ui->mnuWindowMax};
    for (int toolbar = 1; toolbar >= 0; --toolbar) {
        for (int type = 0; type < 3; ++type) {
            types[type]->trigger();
            QApplication::processEvents();
            Print(QStringLiteral("size %1 %2 %3 %4")
                      .arg(type)
                      .arg(toolbar)
                      .arg(window.width())
                      .arg(window.height()));
        }
        ui->mnuToolBarDisp->trigger();
        QApplication::processEvents();
    }
    ui->mnuWindowMax->trigger();
    QApplication::processEvents();

    const Strips strips{ui->pnlMain, ui->CoolBarMenu};
    Print(QStringLiteral("shift %1 %2")
              .arg(strips.panel->objectName())
              .arg(strips.toolBar->height()));
    PrintWidgets(window, QStringLiteral("-"), strips);
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        for (int k = 0; k < tabs->count(); ++k) {
            tabs->setCurrentIndex(k);
            QApplication::processEvents();
            const QTabBar* bar = tabs->tabBar();
            Print(QStringLiteral("tab %1 %2 %3 %4")
                      .arg(tabs->objectName())
                      .arg(k)
                      .arg(Rect(QRect(bar->mapTo(&window, bar->tabRect(k).topLeft()),
                                      bar->tabRect(k).size())),
                           Flags(tabs, strips)));
            PrintWidgets(window, QStringLiteral("%1/%2").arg(tabs->objectName()).arg(k), strips);
        }
        tabs->setCurrentIndex(0);
    }
    PrintMenus(window, ui->MainMenu1);
    return 0;
}
