#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmAbout;
}

/// The version window: the program's name, version, build and a line about it.
class TfrmAbout final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmAbout)

public:
    explicit TfrmAbout(QWidget* parent = nullptr);
    ~TfrmAbout() override; // where Ui::TfrmAbout is complete

private slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TfrmAbout> ui;
};

/// The version window while it is shown, or null.
extern TfrmAbout* frmAbout;
