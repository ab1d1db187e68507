#pragma once

#include <cstdint>

// A time that is not known, in whole seconds since 1970 (UTC).
inline constexpr int64_t UNKNOWN_UNIX_TIME = INT64_MIN;

// Whole seconds since 1970-01-01 00:00 UTC of a time in the platform's
// file-time units (SFileIdentity::nWriteTime, IClock::FileTimeNow:
// nanoseconds since 1970 on POSIX, 100 ns since 1601 on Windows), rounded
// towards the past, so a file changed at 12:00:00.9 reads 12:00:00. Any
// thread.
int64_t UnixSecondsOfFileTime(int64_t nFileTime);
