#include "platform/WordWait.h"

#include <climits>
#include <ctime>
#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

// The futex is the word itself: an atomic 32-bit integer has the layout of a
// plain one.
static_assert(sizeof(std::atomic<int32_t>) == sizeof(int32_t));
static_assert(std::atomic<int32_t>::is_always_lock_free);

namespace
{
int32_t* WordAddress(std::atomic<int32_t>& word)
{
    return reinterpret_cast<int32_t*>(&word);
}
} // namespace

void WaitOnWord(std::atomic<int32_t>& word, int32_t nExpected, uint32_t nMilliseconds)
{
    struct timespec timeout
    {
    };
    timeout.tv_sec = static_cast<time_t>(nMilliseconds / 1000);
    timeout.tv_nsec = static_cast<long>(nMilliseconds % 1000) * 1000000L;
    // EAGAIN (the word differs), ETIMEDOUT and EINTR all end the wait; the
    // caller looks at the word again.
    ::syscall(SYS_futex, WordAddress(word), FUTEX_WAIT_PRIVATE, nExpected, &timeout, nullptr, 0);
}

void WakeWordWaiters(std::atomic<int32_t>& word)
{
    ::syscall(SYS_futex, WordAddress(word), FUTEX_WAKE_PRIVATE, INT_MAX, nullptr, nullptr, 0);
}
