#pragma once

#include <QFont>
#include <QLabel>

/// A label of one line that shows its whole text: a text too wide or too high
/// for the label in the full font is shown with narrower letters, and only
/// where that is not enough in a smaller size.
class FitLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FitLabel)

public:
    explicit FitLabel(QWidget* parent = nullptr) : QLabel(parent) {}

    /// The font the text is shown in whenever it fits.
    void setFullFont(const QFont& font);
    /// Shows text, in the full font or narrower and smaller as it needs.
    void setText(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fit();

    QFont fullFont_;
    bool hasFullFont_ = false;
};
