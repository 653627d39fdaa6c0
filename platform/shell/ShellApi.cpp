#include "platform/shell/ShellApi.h"

#include "platform/host/Host.h"

#include <strings.h>

namespace {
// Any value above 32 means success; this one says nothing more.
constexpr std::uintptr_t Opened = 42;
} // namespace

std::uintptr_t ShellExecute(std::uintptr_t, const char* Verb, const char* File, const char*,
                            const char*, int) {
    const bool open = Verb == nullptr || *Verb == '\0' || strcasecmp(Verb, "open") == 0;
    if (!open || File == nullptr || *File == '\0')
        return SE_ERR_NOASSOC;
    return THost::Current().OpenUrl(File) ? Opened : SE_ERR_NOASSOC;
}
