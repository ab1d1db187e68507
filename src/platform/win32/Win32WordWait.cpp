#include "platform/WordWait.h"

#include <synchapi.h>
#include <windows.h>

static_assert(sizeof(std::atomic<int32_t>) == sizeof(int32_t));
static_assert(std::atomic<int32_t>::is_always_lock_free);

void WaitOnWord(std::atomic<int32_t>& word, int32_t nExpected, uint32_t nMilliseconds)
{
    // Returns early when the word differs, on a wake-up and when the time is
    // up; the caller looks at the word again.
    ::WaitOnAddress(reinterpret_cast<volatile VOID*>(&word), &nExpected, sizeof(nExpected),
                    static_cast<DWORD>(nMilliseconds));
}

void WakeWordWaiters(std::atomic<int32_t>& word)
{
    ::WakeByAddressAll(reinterpret_cast<PVOID>(&word));
}
