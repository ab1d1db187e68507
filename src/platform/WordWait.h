#pragma once

#include <atomic>
#include <cstdint>

// Blocking waits on a 32-bit atomic word, the operating system's own
// (a futex on Linux, WaitOnAddress on Windows): the waiting thread sleeps
// in the kernel and uses no processor time until it is woken or its time is
// up.

// Blocks the calling thread while word still holds nExpected, for at most
// nMilliseconds. Returns at once when the word already differs; may return
// early (a wake-up meant for another value, a signal). The caller checks
// the word again. Any thread.
void WaitOnWord(std::atomic<int32_t>& word, int32_t nExpected, uint32_t nMilliseconds);

// Wakes every thread blocked in WaitOnWord on word. Any thread.
void WakeWordWaiters(std::atomic<int32_t>& word);

// Looks at word (acquire) up to nLooks times, with a processor pause between
// two looks (some 25 to 50 ns, by processor), and returns true as soon
// as it no longer holds nExpected, false when it still does. For the short
// wait before a sleep: when the other side answers within a few
// microseconds, a sleep and the wake-up would cost both sides more than the
// looks. Any thread.
inline bool SpinWhileWordIs(const std::atomic<int32_t>& word, int32_t nExpected, int nLooks)
{
    for (int i = 0; i < nLooks; ++i)
    {
        if (word.load(std::memory_order_acquire) != nExpected)
            return true;
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#elif defined(__aarch64__)
        __asm__ __volatile__("yield");
#endif
    }
    return word.load(std::memory_order_acquire) != nExpected;
}
