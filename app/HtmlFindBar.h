#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

/// The output pane's find bar: a field, "前へ" and "次へ", a line saying how the
/// last search went, and a close button. Enter finds the next hit, Shift+Enter
/// the previous one, F3 and Shift+F3 likewise, Escape closes the bar.
class HtmlFindBar final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HtmlFindBar)

public:
    explicit HtmlFindBar(QWidget* parent = nullptr);

    /// The text to find, as typed.
    QString needle() const;
    /// Shows the bar with the field focused and its text selected; a non-empty
    /// text replaces the field's.
    void open(const QString& text);
    /// How the last search went ("" once it found something where expected).
    void setStatus(const QString& text);
    QString status() const;

signals:
    void findRequested(const QString& needle, bool backward);
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    /// Sets the texts in the language of the moment.
    void retranslate();
    void findPrevious();
    void findNext();
    void clearStatus();
    void request(bool backward);

    QLineEdit* edtFind;
    QToolButton* btnFindPrevious;
    QToolButton* btnFindNext;
    QLabel* lblFindStatus;
    QToolButton* btnFindClose;
};
