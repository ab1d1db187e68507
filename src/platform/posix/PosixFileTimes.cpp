#include "platform/FileTimes.h"

int64_t UnixSecondsOfFileTime(int64_t nFileTime)
{
    // Nanoseconds since 1970; division rounds towards zero, so times before
    // 1970 step one second back.
    constexpr int64_t NANOSECONDS = 1000000000;
    int64_t nSeconds = nFileTime / NANOSECONDS;
    if (nFileTime % NANOSECONDS < 0)
        --nSeconds;
    return nSeconds;
}
