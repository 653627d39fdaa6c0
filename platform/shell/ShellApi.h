#pragma once

#include "platform/base/Types.h"

#include <cstdint>

// Show modes; an address opened in the desktop's browser takes no notice of them.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

// Results at or below 32 are errors.
constexpr std::uintptr_t SE_ERR_NOASSOC = 31;

// Opens File with the desktop's opener: an address ("http://...") or a local path. Only the
// open verb applies ("open" in any letter case, or none); Parameters and Directory are
// unused for addresses. The address goes to the host unchanged. Returns a value above 32
// when the opener took it, SE_ERR_NOASSOC otherwise.
std::uintptr_t ShellExecute(std::uintptr_t Handle, const char* Verb, const char* File,
                            const char* Parameters, const char* Directory, int ShowCmd);
