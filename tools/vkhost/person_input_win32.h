#pragma once
// What a person does and sees, from a second thread of the host process: the real mouse and
// keyboard through SendInput, and the screen read back as it shows the filter's windows.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velokrom::vkhost {

// Moves the mouse to a screen point, with button flags (MOUSEEVENTF_LEFTDOWN, ...) or 0.
void sendMouse(POINT screenPoint, DWORD buttonFlags);
void sendKey(WORD virtualKey, bool down);

COLORREF screenPixel(POINT screenPoint);
// The window's client area as the screen shows it: 32-bit pixels, rows top down.
std::vector<uint8_t> shownPicture(HWND window);
// The window holds the mouse capture of its thread.
bool holdsCapture(HWND window);

// A sample drag through screen points (each a neighbour of the last) with the real mouse,
// paced as a hand is: the press is waited for until the display holds the capture (a move sent
// on its heels lost its pixel in about one run in five under Wine), each move until its trail
// pixel shows inverted (so the window saw it), and the release until the capture has gone (the
// drag has ended: trail erased, key applied). Empty when every step was seen; otherwise the
// first step that was not.
std::string pacedDrag(HWND display, const std::vector<POINT>& screenPoints, DWORD stepWaitMs);
// The same up to the release: the button is still down on the last point.
std::string pacedPressAndMoves(HWND display, const std::vector<POINT>& screenPoints, DWORD stepWaitMs);

} // namespace velokrom::vkhost
