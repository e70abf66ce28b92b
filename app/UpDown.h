#pragma once

#include <QWidget>

class QToolButton;

/// A pair of arrows with a position of its own. An arrow reports a click only
/// when it moves the position, so it stops reporting at its end of the range.
/// Once it takes the keyboard, Up and Down press the arrows.
class UpDown final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpDown)

public:
    enum class Button { Up, Down };
    Q_ENUM(Button)

    explicit UpDown(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int position() const { return position_; }
    void setPosition(int position);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    /// Presses an arrow as a click would.
    void step(Button button);

signals:
    void clicked(UpDown::Button button);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void placeArrows();

    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
};
