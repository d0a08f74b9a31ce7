#pragma once

class QWidget;

// What the desktop does for a window: whether a window manager runs, and how to make a window
// fill its screen with or without one.
namespace WindowManager {

// False on an X display that nobody manages (a bare kiosk X server), and on platforms without
// windows of their own (offscreen, framebuffer); true elsewhere.
bool isRunning();

// Maximised where a window manager does that; full-screen over the whole screen where none would,
// since a request to maximise then goes unanswered. Either way the window gets the keyboard.
void showFilling(QWidget* window);

} // namespace WindowManager
