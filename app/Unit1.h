#pragma once

#include "color/User.h"
#include "gradient/Gradation.h"

#include <QMainWindow>
#include <array>
#include <exception>
#include <string>
#include <vector>

class DesktopServices;

namespace Ui {
class TfrmMain;
}

/// The main window: every control of the program and the handlers behind them.
/// Handlers keep the names of their control and event; each runs inside
/// Guard, so an error ends the action and reaches the standard error box.
class TfrmMain final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmMain)

public:
    /// Window types: the regions shown.
    enum WindowType { wtMin = 0, wtBas = 1, wtMax = 2 };

    /// Creates the window and runs FormCreate; services answers every dialog.
    explicit TfrmMain(DesktopServices& services, QWidget* parent = nullptr);
    /// Runs FormDestroy (the settings are written here).
    ~TfrmMain() override;

    Ui::TfrmMain* form() const { return ui; }
    int currentWindowType() const { return windowType; }
    const std::vector<std::string>& templates() const { return templateLines; }

private slots:
    // Start-up, settings and window modes.
    void N2Click();
    void mnuWindowMinClick();
    void tbtnWindowMinClick();
    void mnuWindowBasClick();
    void tbtnWindowBasClick();
    void mnuWindowMaxClick();
    void tbtnWindowMaxClick();
    void mnuToolBarDispClick();
    void mnuWLeftClick();
    void mnuWRightClick();
    void N4Click();
    void About1Click();

private:
    void ConnectHandlers();
    void FormCreate();
    void FormDestroy();
    void LoadSettings();
    void SaveSettings();
    void LoadTemplates();
    void ApplyWindowType(int type);
    void ApplyToolBarState();
    void SetClientSize(int width, int height);

    /// Runs a handler body; an error it raises is shown in the standard error box.
    template <typename Body> void Guard(Body&& body) noexcept {
        try {
            body();
        } catch (...) {
            ShowError(std::current_exception());
        }
    }
    void ShowError(std::exception_ptr error) noexcept;

    Ui::TfrmMain* ui;
    DesktopServices& services;

    std::string templateFileName;
    std::vector<std::string> templateLines;
    tinsora::GradientColors gradColors{};
    int lastGradColor = 0;
    std::array<tinsora::ColorRGB, 5> bodyColors{};
    int windowType = 0;
    bool hexEditing = false;
    bool pickerDragging = false;
};
