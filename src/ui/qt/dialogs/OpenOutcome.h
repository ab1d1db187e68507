#pragma once

#include <functional>
#include <future>

class QObject;

// Hands the outcome of a shell "open" (IShell::OpenWithOutcome) to done on the
// user-interface thread without waiting for it: at once when it is already
// known, otherwise from a short poll owned by pContext, so nothing is called
// once pContext is gone. done receives true when the target was opened.
// User-interface thread only.
void WhenOpened(QObject* pContext, std::future<bool> outcome, std::function<void(bool)> done);
