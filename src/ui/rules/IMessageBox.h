#pragma once

#include "ui/rules/SPrompt.h"

// The modal message boxes of the options sheet and its pages. Runs on the
// user-interface thread and returns when the user has answered.
class IMessageBox
{
public:
    virtual ~IMessageBox() = default;
    // True when the answer was Yes (or OK for an OK-only box). Closing a
    // Yes/No box any other way counts as No.
    virtual bool Show(const SPrompt& prompt) = 0;
};
