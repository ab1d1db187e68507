#pragma once

#include "platform/IClock.h"
#include "platform/IUserPrompt.h"

#include <atomic>
#include <cstdint>

// The workers' acknowledgement wait: blocks until the window has set the
// flag (SetAck), for at most the clock's time-out (15 s in the program);
// after that the user is asked to click OK and the caller goes on regardless.
// The caller then clears the flag, writes its mailbox and posts. The flag is
// read with acquire ordering, so what the window read before it set the flag
// is done before the caller writes. The thread looks at the flag for a few
// microseconds first, then sleeps while it waits; it looks at the clock again
// at least every ACK_RECHECK_MS. Worker threads.
void WaitForAck(std::atomic<int32_t>& flag, IClock& clock, IUserPrompt& prompt);

// The window's half: sets the flag to 1 with release ordering (after the
// mailbox has been read) and wakes a worker blocked in WaitForAck on it.
// Costs no system call when no worker sleeps. Any thread.
void SetAck(std::atomic<int32_t>& flag);

constexpr uint32_t ACK_RECHECK_MS = 10;
// How many times WaitForAck looks at a clear flag before it sleeps
// (SpinWhileWordIs): some 2.5 to 5 microseconds, less than a sleep and its
// wake-up cost the two threads.
constexpr int ACK_SPIN_LOOKS = 100;
