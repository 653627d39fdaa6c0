#include "platform/host/Host.h"

#include "platform/base/Exceptions.h"

namespace {
THost* CurrentHost = nullptr;
}

THost& THost::Current() {
    if (CurrentHost == nullptr)
        throw EInvalidOperation("no desktop host is set up");
    return *CurrentHost;
}

void THost::SetCurrent(THost* Host) {
    CurrentHost = Host;
}
