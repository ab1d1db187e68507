#pragma once

#include "ui/rules/ViewState.h"

#include <cstdint>

// What a close request (the close box, Exit, or the retry timer) does in a
// view state.
enum class ECloseAction
{
    // Save the column widths (WriteColumnWidths) and close: the program ends.
    Close,
    // A search runs: set StopFlag to 1, arm timer CLOSE_RETRY_TIMER_ID for
    // CLOSE_RETRY_MS and keep the window open. The retry closes once the
    // searching thread has reported its end.
    StopSearchAndRetry,
    // A disposal runs: keep the window open and arm the same retry timer. A
    // pass is never cut short, so a file is never left half moved; the
    // program closes at the first retry after WM_DISPOSE_DONE.
    RetryAfterDisposal,
};

ECloseAction DecideClose(ViewState state);

inline constexpr uint32_t CLOSE_RETRY_TIMER_ID = 105;
inline constexpr uint32_t CLOSE_RETRY_MS = 500;
