#pragma once

#include <cerrno>
#include <climits>
#include <cstdint>
#include <signal.h>

// True when no process has the id (kill(pid, 0) answers ESRCH). A running
// process of another user counts as running, and so does an id that names
// no single process (0, or one too large for a pid).
inline bool PosixIsProcessGone(uint32_t nProcessId)
{
    if (nProcessId == 0 || nProcessId > static_cast<uint32_t>(INT_MAX))
        return false;
    return ::kill(static_cast<pid_t>(nProcessId), 0) != 0 && errno == ESRCH;
}
