#include "platform/FileTimes.h"

int64_t UnixSecondsOfFileTime(int64_t nFileTime)
{
    // 100-nanosecond intervals since 1601-01-01 UTC.
    constexpr int64_t INTERVALS = 10000000;
    constexpr int64_t FROM_1601_TO_1970 = 11644473600LL * INTERVALS;
    const int64_t nSince1970 = nFileTime - FROM_1601_TO_1970;
    int64_t nSeconds = nSince1970 / INTERVALS;
    if (nSince1970 % INTERVALS < 0)
        --nSeconds;
    return nSeconds;
}
