#pragma once

#include "platform/IClock.h"

#include <chrono>
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
};
