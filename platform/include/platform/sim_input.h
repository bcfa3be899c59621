// Tests only: input as a user gives it, through the same path as real
// input, and the state that input-related system calls leave behind.
#pragma once

#include <vector>

#include <windows.h>

namespace platform::sim {

struct Modifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// A key press (virtual key) on the window's top-level window, which has
// the keyboard focus.
void PressKey(HWND window, UINT virtualKey, Modifiers modifiers = {});

enum class MouseButton { Left, Right, Middle };
// Positions are in the window's client coordinates.
void MoveMouse(HWND window, int x, int y);
void ClickMouse(HWND window, MouseButton button, int x, int y);

// The keyboard focus goes to the window's top-level window; nullptr moves
// it to another application.
void FocusWindow(HWND window);
// The close button of the window's top-level window.
void PressCloseButton(HWND window);
// The system is about to suspend (WM_POWERBROADCAST, PBT_APMSUSPEND).
void Suspend();

// The flag of SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING).
bool ScreenSaverRunning();

// The WM_SYSCOMMAND commands that reached DefWindowProcW, oldest first.
std::vector<WPARAM> DefaultSystemCommands();
void ClearDefaultSystemCommands();

}  // namespace platform::sim
