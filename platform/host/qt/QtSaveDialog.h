#pragma once

#include "platform/host/Host.h"

#include <QString>

class QFileDialog;
class QWidget;

// A filter as Qt writes it: the patterns inside the parentheses separated by blanks.
// "JPEG ファイル (*.jpg;*.jpeg)" with "*.jpg;*.jpeg" -> "JPEG ファイル (*.jpg *.jpeg)"; a
// description without its patterns gets them appended.
QString QtFilterOf(const THostFilter& Filter);

// Sets up a save dialog: no overwrite question of its own (the program asks), the filters,
// the default extension, the folder and name to start from, and, when asked for, the
// picture preview pane. A preview needs Qt's own dialog, so it never is the desktop's.
void SetUpSaveDialog(QFileDialog& Dialog, const THostSaveDialogParams& Params);

// Runs it modally; the confirmed path in file system bytes, or nothing when cancelled.
std::optional<AnsiString> RunSaveDialog(const THostSaveDialogParams& Params, QWidget* Parent);
