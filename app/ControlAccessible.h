#pragma once

/// Makes the window's own clickable panels and labels answer screen readers as
/// buttons that can be pressed, and its pictures as images.
void InstallControlAccessibility();
