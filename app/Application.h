#pragma once

class QApplication;

/// Makes the program speak the system's language before its first window (its
/// own texts and Qt's dialogs and buttons; the window may choose another), and
/// sets the window font and its stand-ins and the pictures of the buttons.
void SetUpApplication(QApplication& app);
