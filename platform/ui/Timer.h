#pragma once

#include "platform/base/Component.h"
#include "platform/base/Events.h"

// A repeating timer on the host's clock: OnTimer runs on the ui thread every Interval ms
// while Enabled, Interval > 0 and OnTimer is set. Changing any of them restarts the count;
// freeing the timer stops it.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    AnsiString ClassName() const override { return "TTimer"; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent Value);

    // Whether a host timer is running for it now.
    bool Running() const { return FTimerId != 0; }

    void Loaded() override;

protected:
    // Fires OnTimer.
    virtual void Timer();

private:
    void UpdateTimer();

    bool FEnabled = true;
    unsigned FInterval = 1000;
    TNotifyEvent FOnTimer;
    int FTimerId = 0;
};
