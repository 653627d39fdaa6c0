#pragma once

#include "platform/host/Host.h"

#include <Qt>

class QKeyEvent;

// Qt's key codes as virtual-key codes; 0 for a key that has none here (punctuation, dead
// keys, media keys).
std::uint16_t VirtualKeyOf(int QtKey);

// The shift state of modifiers and buttons.
TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);

// A key press as the ui hears it: the virtual key, the shift state (with the buttons held)
// and the character it types, 0 with Ctrl or Alt held, as for the headless host.
THostKeyEvent HostKeyOf(const QKeyEvent& Event, Qt::MouseButtons Buttons);
