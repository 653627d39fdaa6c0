#pragma once

#include "platform/base/Types.h"

#include <ctime>

// The names the board's output commands hand to the world.

// The mail attachment's time stamp: the local date and time of Now as "%Y%m%d%H%M"
// (TZ when it is set and valid, else the system's zone).
AnsiString MailTimeStamp(std::time_t Now);

// The private per-user folder (mode 0700) that holds the mail attachment while it is handed
// over: $XDG_RUNTIME_DIR/picolam when the runtime folder exists, else
// $XDG_CACHE_HOME/picolam/attachments (~/.cache when unset). Created when missing; an
// existing one that is a symbolic link, not ours or open to others fails with
// "ファイル %s を作成できません" for the folder.
AnsiString AttachmentFolder();

// The maker's host of the information page.
inline constexpr const char* InformationHost = "www.picolam.example";

// "http://" + host + "/info.php?pf=w&sn=" + the executable's file name without its last
// extension, unencoded.
AnsiString InformationAddress(const AnsiString& ExecutablePath);
