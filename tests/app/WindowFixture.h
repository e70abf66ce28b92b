#pragma once

#include "FakeDesktopServices.h"
#include "Unit1.h"
#include "ui_Unit1.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

/// A fresh settings store and working directory (holding a one-colour
/// template list) per test, and the window
/// created on demand with fake desktop services.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Writes a template list into the working directory.
    void WriteTemplates(const QByteArray& bytes);
    void RemoveTemplates();
    /// Creates the window (running its start-up); scripted answers must be set first.
    TfrmMain& Open();
    /// Destroys the window (writing the settings).
    void Close();
    /// The settings store as the program sees it.
    QSettings Settings() const;

    Ui::TfrmMain& ui() { return *window->form(); }
    /// Sets the current colour as every part of the window does: red, green, blue.
    void SetColor(int red, int green, int blue);
    tinsora::ColorRGB Current() const { return window->CurrentColor(); }
    /// Lets the window run until the output pane's run (a generation or a save) has ended;
    /// false when it is still going after ms.
    bool RunEnds(int ms = 60000);

    QTemporaryDir configDir;
    QTemporaryDir workDir;
    QString previousDir;
    QByteArray previousCache;
    FakeDesktopServices services;
    std::unique_ptr<TfrmMain> window;
};
