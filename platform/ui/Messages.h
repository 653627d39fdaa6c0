#pragma once

#include "platform/base/Events.h"
#include "platform/base/Types.h"
#include "platform/host/Host.h"

#include <cstdint>

// One message as a message map sees it. WParam and LParam are pointer-sized because some
// messages carry object pointers (CM_BUTTONPRESSED's sender, CM_MOUSEENTER's control).
struct TMessage {
    std::uint32_t Msg = 0;
    std::intptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

// Stands for a window: the value of a form's Handle(), 0 for none.
using HWND = std::uintptr_t;

// Window messages.
constexpr std::uint32_t WM_NULL = 0x0000;
constexpr std::uint32_t WM_CREATE = 0x0001;
constexpr std::uint32_t WM_DESTROY = 0x0002;
constexpr std::uint32_t WM_MOVE = 0x0003;
constexpr std::uint32_t WM_SIZE = 0x0005;
constexpr std::uint32_t WM_ACTIVATE = 0x0006;
constexpr std::uint32_t WM_SETFOCUS = 0x0007;
constexpr std::uint32_t WM_KILLFOCUS = 0x0008;
constexpr std::uint32_t WM_ENABLE = 0x000A;
constexpr std::uint32_t WM_SETTEXT = 0x000C;
constexpr std::uint32_t WM_PAINT = 0x000F;
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_QUIT = 0x0012;
constexpr std::uint32_t WM_ERASEBKGND = 0x0014;
constexpr std::uint32_t WM_SHOWWINDOW = 0x0018;
constexpr std::uint32_t WM_CANCELMODE = 0x001F;
constexpr std::uint32_t WM_CONTEXTMENU = 0x007B;
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_CHAR = 0x0102;
constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr std::uint32_t WM_SYSKEYUP = 0x0105;
constexpr std::uint32_t WM_SYSCHAR = 0x0106;
constexpr std::uint32_t WM_COMMAND = 0x0111;
constexpr std::uint32_t WM_TIMER = 0x0113;
constexpr std::uint32_t WM_MOUSEFIRST = 0x0200;
constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
constexpr std::uint32_t WM_MBUTTONDBLCLK = 0x0209;
constexpr std::uint32_t WM_MOUSELAST = 0x0209;
constexpr std::uint32_t WM_CAPTURECHANGED = 0x0215;
constexpr std::uint32_t WM_DROPFILES = 0x0233;
constexpr std::uint32_t WM_MOUSELEAVE = 0x02A3;

// Component messages: notifications between controls.
constexpr std::uint32_t CM_BASE = 0xB000;
constexpr std::uint32_t CM_ACTIVATE = CM_BASE + 0;
constexpr std::uint32_t CM_DEACTIVATE = CM_BASE + 1;
constexpr std::uint32_t CM_GOTFOCUS = CM_BASE + 2;
constexpr std::uint32_t CM_LOSTFOCUS = CM_BASE + 3;
constexpr std::uint32_t CM_CANCELMODE = CM_BASE + 4;
constexpr std::uint32_t CM_DIALOGKEY = CM_BASE + 5;
constexpr std::uint32_t CM_DIALOGCHAR = CM_BASE + 6;
constexpr std::uint32_t CM_FOCUSCHANGED = CM_BASE + 7;
constexpr std::uint32_t CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr std::uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr std::uint32_t CM_HITTEST = CM_BASE + 10;
constexpr std::uint32_t CM_VISIBLECHANGED = CM_BASE + 11;
constexpr std::uint32_t CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr std::uint32_t CM_COLORCHANGED = CM_BASE + 13;
constexpr std::uint32_t CM_FONTCHANGED = CM_BASE + 14;
constexpr std::uint32_t CM_CURSORCHANGED = CM_BASE + 15;
constexpr std::uint32_t CM_TEXTCHANGED = CM_BASE + 18;
constexpr std::uint32_t CM_MOUSEENTER = CM_BASE + 19;
constexpr std::uint32_t CM_MOUSELEAVE = CM_BASE + 20;
constexpr std::uint32_t CM_MENUCHANGED = CM_BASE + 21;
constexpr std::uint32_t CM_BUTTONPRESSED = CM_BASE + 24;
constexpr std::uint32_t CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr std::uint32_t CM_ENTER = CM_BASE + 26;
constexpr std::uint32_t CM_EXIT = CM_BASE + 27;
constexpr std::uint32_t CM_ICONCHANGED = CM_BASE + 29;
constexpr std::uint32_t CM_RELEASE = CM_BASE + 33;
constexpr std::uint32_t CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr std::uint32_t CM_CONTROLLISTCHANGE = CM_BASE + 44;

// Virtual-key codes: Host.h has the common ones (VK_LBUTTON ... VK_F1, VK_F12); these
// complete them.
constexpr std::uint16_t VK_CANCEL = 0x03;
constexpr std::uint16_t VK_CAPITAL = 0x14;
constexpr std::uint16_t VK_F2 = 0x71;
constexpr std::uint16_t VK_F3 = 0x72;
constexpr std::uint16_t VK_F4 = 0x73;
constexpr std::uint16_t VK_F5 = 0x74;
constexpr std::uint16_t VK_F6 = 0x75;
constexpr std::uint16_t VK_F7 = 0x76;
constexpr std::uint16_t VK_F8 = 0x77;
constexpr std::uint16_t VK_F9 = 0x78;
constexpr std::uint16_t VK_F10 = 0x79;
constexpr std::uint16_t VK_F11 = 0x7A;

// Mouse messages carry the pointer in LParam (X in the low 32 bits, Y in the high 32 bits,
// both signed, in the receiver's client coordinates) and the shift state in WParam
// (TShiftState::Bits, ssDouble included for a double-click).
std::intptr_t PointToLParam(TPoint P);
TPoint LParamToPoint(std::intptr_t LParam);
TShiftState WParamToShift(std::intptr_t WParam);
std::intptr_t ShiftToWParam(TShiftState Shift);

// A key's state from the host: the high bit (0x8000) is set while the key or mouse button
// is down, so the result is negative then.
std::int16_t GetKeyState(int VirtualKey);
// The pointer in screen coordinates, from the host.
bool GetCursorPos(TPoint* Point);
// The window of the control holding the mouse capture (or of the host window that holds
// it), 0 when none does.
HWND GetCapture();
// Sounds the desktop's beep; Type (MB_OK, MB_ICONERROR ...) is accepted and not told apart.
bool MessageBeep(unsigned Type);
