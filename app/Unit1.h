#pragma once

#include "UpDown.h"
#include "UpDownStep.h"
#include "color/User.h"
#include "gradient/Gradation.h"
#include "html/BodyTag.h"
#include "html/OutputStyle.h"

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class DesktopServices;
class PaneController;

namespace tinsora {
struct GradientTextPreview;
} // namespace tinsora

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
    /// The most bytes of text the output pane takes (512 MiB), a line end counted as CR LF
    /// as a copy or a saved file holds it: at the limit, a new output made while the old one
    /// is still shown, each with its line index, stays within what a machine of 4 GB has.
    static constexpr std::uint64_t kMaxPaneBytes = 536870912;

    /// Window types: the regions shown.
    enum WindowType { wtMin = 0, wtBas = 1, wtMax = 2 };

    /// Creates the window and runs FormCreate; services answers every dialog.
    explicit TfrmMain(DesktopServices& services, QWidget* parent = nullptr);
    /// Runs FormDestroy (the settings are written here).
    ~TfrmMain() override;

    Ui::TfrmMain* form() const { return ui.get(); }
    int currentWindowType() const { return windowType; }
    /// Whether a generation or a save of the output pane is running (off the
    /// user-interface thread).
    bool runInProgress() const;
    /// Called on the worker's thread when a run first reports progress: tests hold a run there.
    void setRunPause(std::function<void()> pause);
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

    // Colour editor.
    void ScrollBarRChange();
    void ScrollBarGChange();
    void ScrollBarBChange();
    void edtRnChange();
    void edtGnChange();
    void edtBnChange();
    void edtRhChange();
    void edtGhChange();
    void edtBhChange();
    void btnHantenClick();
    void udColorClick(UpDown::Button button);
    void mnuOptionDokiClick();
    void mnuOptionSharpClick();

    // Notations and the clipboard.
    void mnuColTypeHexClick();
    void mnuColTypeRGBClick();
    void mnuColTypeVBClick();
    void mnuColTypeCBClick();
    void btnColorCopyClick();
    void N16HTML1Click();
    void RGB1Click();
    void VisualBasic1Click();
    void CBuilderDelphi1Click();

    // Colour set files.
    void mnuLoadColorClick();
    void mnuSaveColorClick();

    // Blend and templates.
    void pnlBlendColor1Click();
    void pnlBlendColor2Click();
    void barBlendChange();
    void pnlBlendColor3Click();
    void lstColorSampleClick();

    // Pictures: the base colour map, the four corners, the square and the strip.
    void picBasGradMouseDown(int x, int y);
    void picBasGradMouseMove(int x, int y);
    void picBasGradMouseUp();
    void picRectGradMouseDown(int x, int y);
    void picRectGradMouseMove(int x, int y);
    void picRectGradMouseUp();
    void img4GradMouseDown(int x, int y);
    void pnlGraColorClick();
    void cmbColorIndexChange();
    void pnlColMouseDown(int corner);
    void pnlColMouseUp(int corner);

    // Generators and the output pane.
    void SpeedButton2Click();
    void chkRNClick();
    void btnClipCopyHTMLClick();
    void btnClearClick();
    void btnCancelHTMLClick();
    void mnuSaveHTMLClick();
    void txtHTMLError(const QString& message);
    void lblBgcolorClick();
    void lblTextClick();
    void lblLinkClick();
    void lblVlinkClick();
    void lblAlinkClick();
    void UpDownTDClick(UpDown::Button button);
    void UpDownTRClick(UpDown::Button button);
    void UpDownKeisenClick(UpDown::Button button);
    void UpDownYohakuClick(UpDown::Button button);
    void UpDownCellWidthClick(UpDown::Button button);
    void UpDownCellHeightClick(UpDown::Button button);
    void mnuStyleClassicClick();
    void mnuStyleHtml5Click();
    void mnuCssGradientClick();
    void mnuBrowserPreviewClick();

    // Gradient text.
    void btnOpenTextFileClick();
    void chkTateIchiClick();
    void chkMarqueeClick();

public:
    /// The current colour: the positions of the three scroll bars.
    tinsora::ColorRGB CurrentColor() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void LoadColorFile(const QString& path);
    void SaveColorFile(const QString& path);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Colour editor and display.
    void ConnectColorEditor();
    void BarChanged(int channel);
    void DecimalBoxChanged(int channel);
    void HexBoxChanged(int channel);
    void SetCurrentColor(const tinsora::ColorRGB& color);
    void RefreshColorDisplay();
    void ShowColorText(int type, int red, int green, int blue);
    void ChooseNotation(int type);
    void CopyNotation(int type);
    void UpdateBlend();
    void ConnectTemplateList();
    bool TemplateListMouse(QEvent* event);

    // Pictures.
    void ConnectPictures();
    void DrawBaseColorMap();
    void DrawColorStrip();
    void DrawCornerGradient();
    void ShowCornerColor(int k);
    void PickBaseColor(int x, int y);
    enum class PickSource { Strip, Square };
    void PickGradientColor(int x, int y, PickSource source);

    // Generators and the output pane.
    void ConnectGenerators();
    void GenerateForActivePage();
    void SetPaneText(std::string&& utf8);
    void SetOutputStyle(tinsora::OutputStyle style);
    /// Where the HTML5 + CSS style puts its CSS, as the menu says.
    tinsora::CssForm CssFormChosen() const;
    /// The language of the words an output has of its own: the window's.
    tinsora::OutputLanguage OutputLanguageChosen() const;
    /// The marks of the gradient text page: the lowest contrast of the characters against
    /// the BODY page's background; nothing for a text without characters.
    void ShowGradientTextContrast(const std::optional<tinsora::ColorRGB>& lowest);
    void ChangeOutputStyle(tinsora::OutputStyle style);
    void MakeBodyTag();
    QByteArray BodySample() const;
    void MakeGradientTable(const tinsora::GradientColors& colors);
    void SetBodyColor(tinsora::BodyRole role);
    void DrawBodyPreview();
    void StepTableBox(int box, UpDown::Button button);

    // Gradient text.
    void ConnectGradientText();
    void MakeGradientText(const tinsora::GradientColors& colors);
    void DrawGradientTextPreview(const tinsora::GradientTextPreview& preview);

    void ConnectHandlers();
    // The keyboard and screen readers.
    void ConnectAccessibility();
    void ConnectKeyboard();
    void NameControls();
    void FormCreate();
    void FormDestroy();
    QPoint LoadSettings();
    void SaveSettings();
    void RestorePosition(const QPoint& position);
    void LoadTemplates();
    void ApplyWindowType(int type);
    void ApplyToolBarState();
    void SetClientSize(int width, int height);

    // The language: the menu, the setting, and the texts the code sets.
    void ConnectLanguage();
    void ChooseLanguage(const QString& setting);
    void RetranslateTexts();

    /// Runs a handler body; an error it raises is shown in the standard error box.
    template <typename Body> void Guard(Body&& body) noexcept {
        try {
            body();
        } catch (...) {
            ShowError(std::current_exception());
        }
    }
    void ShowError(std::exception_ptr error) noexcept;

    std::unique_ptr<Ui::TfrmMain> ui;
    DesktopServices& services;

    std::string templateFileName;
    std::vector<std::string> templateLines;
    tinsora::GradientColors gradColors{};
    int lastGradColor = 0;
    tinsora::BodyColors bodyColors{};
    int windowType = 0;
    bool settingsRefused = false; // the store was not read: it is not written either
    bool hexEditing = false;
    bool pickerDragging = false;

    int lastRedPosition = 0;
    bool syncSuspended = false;     // invert and brighten leave the slider sync out
    QString saveDialogColFileName;  // offered again at the next save
    bool templateMouseDown = false; // the left button is held on the template list
    std::array<tinsora::UpDownStep, 6> tableSteps{}; // the table page's arrows
    tinsora::OutputStyle outputStyle = tinsora::OutputStyle::Classic;
    QString saveDialogHtmlFileName; // offered again at the next save
    QString saveDialogHtmlFilter;
    QString languageSetting;   // "ja" or "en" as the user chose, empty for the system's
    QString shownFileNameHint; // the hint the file name box was given, while it holds it
    std::optional<tinsora::ColorRGB> gradTextLowest; // the contrast the gradient text shows

    // Colour tools: the CSS notations, the screen eyedropper and the contrast on the BODY page.
private slots:
    void mnuColTypeCssRgbClick();
    void mnuColTypeCssHslClick();
    void CSSRgb1Click();
    void CSSHsl1Click();
    void mnuEyedropperClick();

private:
    void ConnectColorTools();
    void StartEyedropper();
    void EyedropperPicked(const QColor& color);
    void EyedropperFinished();
    void ShowBodyContrast();
    class Eyedropper* eyedropper = nullptr; // the pick running, if any

    // The press of the left button on the template list selected a template and took it.
    bool templateTakenOnPress = false;

    std::unique_ptr<PaneController> paneRuns; // last: ended before the rest goes
};
