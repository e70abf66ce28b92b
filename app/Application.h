#pragma once

class QApplication;

/// Makes the program Japanese all the way through before its first window:
/// Qt's own dialogs and buttons, the window font and its stand-ins, and the
/// pictures of the buttons.
void SetUpApplication(QApplication& app);
