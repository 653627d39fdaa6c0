#pragma once

#include "platform/host/Host.h"

#include <optional>

// A key written the way a menu shows its shortcut, for scripts: "Ctrl+S", "Shift+F1", "Ins",
// "Delete", "Esc", "Enter", "A", "5", "Ctrl+Alt+Left". Modifiers (Shift, Ctrl, Alt) come
// first, joined by "+"; names are case-insensitive. The typed character is the one the key
// gives without Ctrl or Alt ('s', 'S' with Shift, ' ', '\r', ...), 0 otherwise.
std::optional<THostKeyEvent> ParseKeySpec(const AnsiString& Spec);
