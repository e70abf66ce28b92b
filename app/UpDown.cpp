#include "UpDown.h"

#include "FocusFrame.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(Button::Up); });
    connect(down_, &QToolButton::clicked, this, [this] { step(Button::Down); });
}

void UpDown::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    position_ = std::clamp(position_, minimum_, maximum_);
}

void UpDown::setPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
}

void UpDown::step(Button button) {
    const int next = button == Button::Up ? position_ + 1 : position_ - 1;
    if (next < minimum_ || next > maximum_)
        return;
    position_ = next;
    emit clicked(button);
}

void UpDown::resizeEvent(QResizeEvent*) {
    placeArrows();
}

// With the keyboard the arrows stand a pixel in, inside the frame that shows it.
void UpDown::placeArrows() {
    const QRect area = hasFocus() ? rect().adjusted(1, 1, -1, -1) : rect();
    const int half = area.height() / 2;
    up_->setGeometry(area.x(), area.y(), area.width(), half);
    down_->setGeometry(area.x(), area.y() + half, area.width(), area.height() - half);
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (event->key() == Qt::Key_Up) {
            step(Button::Up);
            return;
        }
        if (event->key() == Qt::Key_Down) {
            step(Button::Down);
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void UpDown::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    placeArrows();
    update();
}

void UpDown::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    placeArrows();
    update();
}

void UpDown::paintEvent(QPaintEvent*) {
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Highlight));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
