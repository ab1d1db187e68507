#include "search/WaitForAck.h"

#include <thread>

void WaitForAck(std::atomic<int32_t>& flag, IClock& clock, IUserPrompt& prompt)
{
    const uint32_t nLimit = clock.GetAckTimeoutMs();
    const uint32_t nStart = clock.GetTickCount();
    bool bTimedOut = false;
    for (;;)
    {
        const bool bAcknowledged = flag.load(std::memory_order_acquire) != 0;
        // Unsigned subtraction: the tick counter may wrap around meanwhile.
        bTimedOut = clock.GetTickCount() - nStart >= nLimit;
        if (bAcknowledged || bTimedOut)
            break;
        std::this_thread::yield();
    }
    if (bTimedOut)
        prompt.ShowAckTimeout();
}
