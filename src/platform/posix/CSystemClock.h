#pragma once

#include "platform/IClock.h"

#include <chrono>
#include <ctime>
#include <thread>

class CSystemClock : public IClock
{
public:
    uint32_t GetTickCount() override
    {
        const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }
    void Sleep(uint32_t nMilliseconds) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(nMilliseconds));
    }
    std::time_t Now() override { return std::time(nullptr); }
    // The coarse clock is the one the kernel stamps file times from (a finer
    // stamp is never earlier than it), so no file made later reads older.
    int64_t FileTimeNow() override
    {
        struct timespec now
        {
        };
        if (::clock_gettime(CLOCK_REALTIME_COARSE, &now) != 0)
            return 0;
        return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
    }
};
