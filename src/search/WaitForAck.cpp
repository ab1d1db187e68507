#include "search/WaitForAck.h"

#include "platform/WordWait.h"

#include <algorithm>

namespace
{
// How many workers sleep in WaitForAck now. The sleeper counts itself before
// its last look at the flag and the setter looks at the count after its
// store, both sequentially consistent: either the sleeper sees the 1 or the
// setter sees the sleeper and wakes it. (The kernel's own check of the word
// covers a store between the last look and the sleep.)
std::atomic<int32_t> g_nSleepers{0};

void SleepWhileClear(std::atomic<int32_t>& flag, uint32_t nMilliseconds)
{
    g_nSleepers.fetch_add(1, std::memory_order_seq_cst);
    if (flag.load(std::memory_order_seq_cst) == 0)
        WaitOnWord(flag, 0, nMilliseconds);
    g_nSleepers.fetch_sub(1, std::memory_order_relaxed);
}
} // namespace

void WaitForAck(std::atomic<int32_t>& flag, IClock& clock, IUserPrompt& prompt)
{
    // The window usually answers within microseconds: looking a little
    // longer spares both threads a sleep and a wake-up.
    if (SpinWhileWordIs(flag, 0, ACK_SPIN_LOOKS))
        return;
    const uint32_t nLimit = clock.GetAckTimeoutMs();
    const uint32_t nStart = clock.GetTickCount();
    bool bTimedOut = false;
    for (;;)
    {
        const bool bAcknowledged = flag.load(std::memory_order_acquire) != 0;
        // Unsigned subtraction: the tick counter may wrap around meanwhile.
        const uint32_t nElapsed = clock.GetTickCount() - nStart;
        bTimedOut = nElapsed >= nLimit;
        if (bAcknowledged || bTimedOut)
            break;
        SleepWhileClear(flag, std::min(nLimit - nElapsed, ACK_RECHECK_MS));
    }
    if (bTimedOut)
        prompt.ShowAckTimeout();
}

void SetAck(std::atomic<int32_t>& flag)
{
    flag.store(1, std::memory_order_seq_cst);
    if (g_nSleepers.load(std::memory_order_seq_cst) != 0)
        WakeWordWaiters(flag);
}
