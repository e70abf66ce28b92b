#include "ControlAccessible.h"

#include "ClickableLabel.h"
#include "ClickablePanel.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QTimer>

namespace {

// A panel or label that a click works: a button, pressed as a click presses it.
class ClickableAccessible final : public QAccessibleWidget {
public:
    explicit ClickableAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Button) {}

    QString text(QAccessible::Text type) const override {
        QString text = QAccessibleWidget::text(type);
        if (type == QAccessible::Name && text.isEmpty())
            if (const auto* label = qobject_cast<const QLabel*>(widget()))
                text = label->text();
        return text;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
        } else if (auto* panel = qobject_cast<ClickablePanel*>(widget())) {
            panel->click();
        } else if (auto* label = qobject_cast<ClickableLabel*>(widget())) {
            label->click();
        }
    }
};

// A button whose click may ask a question in a box of its own: pressed once the
// screen reader's call has returned, as a key press would, not within the call,
// which would wait as long as the box stays open.
class LaterPressedAccessible final : public QAccessibleWidget {
public:
    explicit LaterPressedAccessible(QAbstractButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text type) const override {
        QString text = QAccessibleWidget::text(type);
        if (type == QAccessible::Name && text.isEmpty())
            text = button()->text();
        return text;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            QTimer::singleShot(0, button(), &QAbstractButton::click);
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (auto* button = qobject_cast<QAbstractButton*>(widget);
        button && button->property(kPressedLater).toBool())
        return new LaterPressedAccessible(button);
    if (className == QLatin1String("ClickablePanel") ||
        className == QLatin1String("ClickableLabel"))
        return new ClickableAccessible(widget);
    if (className == QLatin1String("PictureBox") || className == QLatin1String("MarkerOverlay"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void InstallControlAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}
