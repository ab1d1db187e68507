#include "ui/rules/ViewState.h"

ViewState ViewStateAfterDisposal(uintptr_t wParam)
{
    return wParam == static_cast<uintptr_t>(ViewState::Results) ? ViewState::Results
                                                                : ViewState::Idle;
}
