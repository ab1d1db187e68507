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
