#pragma once

#include "platform/base/Types.h"
#include "platform/ui/Messages.h"

#include <cstdint>
#include <vector>

// The shell's file drop: a form that accepts drops gets WM_DROPFILES with WParam = a drop
// handle, valid until DragFinish (or until the message handler returns).
using HDROP = std::uintptr_t;

// Lets the form of Handle receive dropped files, or stops it.
void DragAcceptFiles(HWND Handle, bool Accept);

// Index 0xFFFFFFFF: the number of files. A null Buffer: the length of path Index in bytes,
// without the terminating zero. Else copies path Index into Buffer, cut to Size - 1 bytes
// (never inside a character) and zero-terminated, and returns the bytes copied. 0 for an
// unknown handle or index. Paths are never cut by the drop itself: ask for the length first.
unsigned DragQueryFile(HDROP Drop, unsigned Index, char* Buffer, unsigned Size);
// The client point of the drop; false for an unknown handle.
bool DragQueryPoint(HDROP Drop, TPoint* Point);
// Releases the handle.
void DragFinish(HDROP Drop);

// Makes a drop handle for Paths dropped at the client point At (the form's use).
HDROP CreateDrop(std::vector<AnsiString> Paths, TPoint At);
// Whether the handle is still open.
bool DropAlive(HDROP Drop);
