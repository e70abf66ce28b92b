#pragma once

#include <QRect>

class QKeyEvent;
class QPainter;

/// Whether a key works a clickable control as a click does: Space, Enter or Return.
bool IsClickKey(const QKeyEvent* event);

/// Draws the frame that shows where the keyboard is, inside area: black and
/// white dots, seen on any colour a picture or a panel shows.
void PaintFocusFrame(QPainter& painter, const QRect& area);
