#pragma once

// Texts the window words itself from the core's data, in the language it speaks.

#include "html/BodyTag.h"
#include "messages/Messages.h"

#include <QString>
#include <exception>

class QApplication;

/// The language the window speaks now.
tinsora::Language CurrentLanguage();
/// The language of the system: Japanese where the user's languages (as Qt reads LANGUAGE,
/// LC_ALL, LC_MESSAGES and LANG) begin with Japanese, English for anything else.
tinsora::Language SystemLanguage();
/// Makes the program speak a language: its own translation and Qt's are installed (Japanese is
/// the language of the sources and needs none of its own), and every window is sent a
/// QEvent::LanguageChange to set its texts again.
void SetLanguage(tinsora::Language language);

/// The message of an error in the window's language: an Error of the core worded, any other
/// exception's own text.
QString ErrorText(const std::exception& error);

/// The name of a colour of the BODY tag, as its label and the preview show it.
QString BodyRoleName(tinsora::BodyRole role);

/// The window's caption for a colour in a notation; empty for any other type.
QString CaptionText(int type, int red, int green, int blue, bool sharp);
