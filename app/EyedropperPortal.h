#pragma once

#include "DesktopServices.h"

/// Asks the desktop portal (org.freedesktop.portal.Screenshot, PickColor) for a colour the
/// user picks on the screen; false where the program has no D-Bus or the desktop no portal.
bool PickColorThroughPortal(QWidget* parent, DesktopServices::DesktopPickDone done);
