#include "platform/ui/Timer.h"

#include "platform/base/Exceptions.h"
#include "platform/host/Host.h"
#include "platform/ui/Application.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() {
    if (FTimerId == 0)
        return;
    try {
        THost::Current().StopTimer(FTimerId);
    } catch (const EInvalidOperation&) {
        // The host has gone before the timer: its timers went with it.
    }
}

void TTimer::SetEnabled(bool Value) {
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
    if (Value == FInterval)
        return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
    FOnTimer = std::move(Value);
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (FTimerId != 0) {
        THost::Current().StopTimer(FTimerId);
        FTimerId = 0;
    }
    if (!FEnabled || FInterval == 0 || !FOnTimer || IsLoading())
        return;
    FTimerId =
        THost::Current().StartTimer(FInterval, [this] { Application->Guard([this] { Timer(); }); });
}

void TTimer::Timer() {
    if (FOnTimer)
        FOnTimer(this);
}
