#pragma once

/// A button with this property true is pressed for a screen reader after its call
/// returns: its click may ask a question in a box that waits for the user. The
/// property is set before anything else of the button, in the form's design.
inline constexpr char kPressedLater[] = "pressedLater";

/// Makes the window's own clickable panels and labels answer screen readers as
/// buttons that can be pressed, its pictures as images, and buttons marked with
/// kPressedLater as pressed after the call.
void InstallControlAccessibility();
