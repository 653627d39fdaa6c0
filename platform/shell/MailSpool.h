#pragma once

#include "platform/base/Types.h"

#include <chrono>

// The private folder where the mail hand-off keeps its copies of attachments until the mail
// program has read them: $XDG_CACHE_HOME/picolam/mail-spool, or ~/.cache/picolam/mail-spool.
// It is the user's own (0700); each copy lives in a folder of its own, so two messages may
// carry files of one name.

enum class TSpoolResult : std::uint8_t { Copied, NotFound, OpenFailure, WriteFailure };

// How long a copy stays: the mail program has long read it by then.
constexpr std::chrono::hours SpoolKeepTime{72};

// Creates the spool when it is missing and makes it private; empty when that cannot be done
// (no home folder, a folder of another user, a symbolic link in its place).
AnsiString MailSpoolFolder();

// Copies the regular file Source into a new folder of Spool as Name; Copy receives its path.
// A FIFO, device or folder is refused without blocking (OpenFailure).
TSpoolResult SpoolCopy(const AnsiString& Spool, const AnsiString& Source, const AnsiString& Name,
                       AnsiString& Copy);

// Removes a copy and its folder.
void RemoveSpoolCopy(const AnsiString& Copy);

// Removes the copies older than MaxAge.
void RemoveOldSpoolCopies(const AnsiString& Spool, std::chrono::seconds MaxAge);
