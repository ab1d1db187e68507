#pragma once

#include <cstdint>
#include <ctime>

class IClock
{
public:
    virtual ~IClock() = default;
    // Monotonic millisecond tick; wraps around like GetTickCount.
    virtual uint32_t GetTickCount() = 0;
    virtual void Sleep(uint32_t nMilliseconds) = 0;
    // Wall-clock time for the anomaly report's date.
    virtual std::time_t Now() = 0;
    // How long an acknowledgement may be awaited before the user is asked;
    // 15 s in the program, shorter in tests.
    virtual uint32_t GetAckTimeoutMs() { return 15000; }
    // Now on the clock that stamps file times, in their units (nanoseconds
    // since 1970 on POSIX, 100 ns since 1601 on Windows): a file created or
    // changed after the call carries this time or a later one. 0 when the
    // clock cannot tell.
    virtual int64_t FileTimeNow() { return 0; }
};
