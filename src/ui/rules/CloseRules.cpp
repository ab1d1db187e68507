#include "ui/rules/CloseRules.h"

ECloseAction DecideClose(ViewState state)
{
    switch (state)
    {
    case ViewState::Searching:
        return ECloseAction::StopSearchAndRetry;
    case ViewState::Disposing:
        return ECloseAction::RetryAfterDisposal;
    default:
        return ECloseAction::Close;
    }
}
