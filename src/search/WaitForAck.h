#pragma once

#include "platform/IClock.h"
#include "platform/IUserPrompt.h"

#include <atomic>
#include <cstdint>

// The workers' acknowledgement wait: polls the flag without sleeping until the
// window has set it, for at most the clock's time-out (15 s in the program);
// after that the user is asked to click OK and the caller goes on regardless.
// The caller then clears the flag, writes its mailbox and posts.
void WaitForAck(std::atomic<int32_t>& flag, IClock& clock, IUserPrompt& prompt);
