#include "platform/ui/Action.h"

bool TBasicAction::Execute() {
    if (!FOnExecute)
        return false;
    FOnExecute(this);
    return true;
}
