#pragma once

// Runs an operation in a forked child whose files may grow to nLimit bytes
// only: the write past the limit kills the child with SIGXFSZ, exactly as a
// kill in the middle of a copy would (POSIX tests only).

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The signal that ended the child, or 0 when it ended by itself (or could
// not be started).
template <typename OperationFn> int RunKilledPastSize(uint64_t nLimit, OperationFn operation)
{
    const pid_t nChild = ::fork();
    if (nChild < 0)
        return 0;
    if (nChild == 0)
    {
        const struct rlimit noCore = {0, 0};
        const struct rlimit size = {nLimit, nLimit};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::signal(SIGXFSZ, SIG_DFL);
        if (::setrlimit(RLIMIT_FSIZE, &size) != 0)
            ::_exit(2);
        operation();
        ::_exit(0);
    }
    int nStatus = 0;
    while (::waitpid(nChild, &nStatus, 0) < 0)
    {
        if (errno != EINTR)
            return 0;
    }
    return WIFSIGNALED(nStatus) ? WTERMSIG(nStatus) : 0;
}

// The id of a process that has ended (and been waited for).
inline uint32_t EndedProcessId()
{
    const pid_t nChild = ::fork();
    if (nChild == 0)
        ::_exit(0);
    int nStatus = 0;
    ::waitpid(nChild, &nStatus, 0);
    return static_cast<uint32_t>(nChild);
}
