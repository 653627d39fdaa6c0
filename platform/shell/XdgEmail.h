#pragma once

#include "platform/shell/Mapi.h"

// The default mail transport: the desktop's mail program through xdg-email, which opens its
// compose window with the subject, body, recipients and attachments filled in.

// The arguments after the program name. Texts go as UTF-8; recipients without an address
// are left for the user to fill in.
std::vector<AnsiString> XdgEmailArguments(const TMailRequest& Request);

// Runs Program (found on PATH) with those arguments, without a shell, and waits for it. Its
// output goes to standard error, so that it never mixes with the program's own. Results:
// exit 0 -> SUCCESS_SUCCESS; Program missing, or exit 3 (xdg-email found no mail program)
// -> MAPI_USER_ABORT; any other exit or a signal -> MAPI_E_FAILURE.
ULONG SendWithXdgEmail(const TMailRequest& Request, const AnsiString& Program = "xdg-email");
