#pragma once

#include "platform/host/Host.h"

class QWidget;

// A modal QMessageBox with the caption, text, icon and buttons given, in their order; returns
// the chosen button's Result, or EscapeResult for Esc and for closing the box.
int RunMessageBox(const THostMessageBoxParams& Params, QWidget* Parent);
