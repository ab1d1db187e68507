#pragma once

#include <cstddef>
#include <cstdint>

// The results view's state. None only between the view's construction and its
// initial update; the values are the ones WM_DISPOSE_DONE carries in wParam.
enum class ViewState : int32_t
{
    None = 0,
    Idle = 1,
    Searching = 2,
    Results = 3,
    Disposing = 4,
};

// The state a WM_DISPOSE_DONE wParam names: Idle after a finished pass,
// Results after a declined purge. Any other value counts as Idle, so a
// disposal can never leave the view stuck in Disposing.
ViewState ViewStateAfterDisposal(uintptr_t wParam);
