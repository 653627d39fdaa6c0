#pragma once

#include "platform/base/Component.h"
#include "platform/base/Events.h"

// A command that several controls can share: a control linked to an action runs the action
// on a click in place of its own OnClick.
class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    AnsiString ClassName() const override { return "TBasicAction"; }

    const TNotifyEvent& OnExecute() const { return FOnExecute; }
    void SetOnExecute(TNotifyEvent Value) { FOnExecute = std::move(Value); }

    // Runs OnExecute with the action as sender; false when there is none.
    virtual bool Execute();

private:
    TNotifyEvent FOnExecute;
};
