#pragma once

#include "platform/IClock.h"

// The system tick counter (wrapping after 49.7 days, as the program expects)
// and Sleep.
class CWin32Clock : public IClock
{
public:
    uint32_t GetTickCount() override;
    void Sleep(uint32_t nMilliseconds) override;
    std::time_t Now() override { return std::time(nullptr); }
    int64_t FileTimeNow() override; // the system time files are stamped from
};
