#pragma once

#include <string>

// The worker-side modal boxes. Each call blocks only the calling worker until
// the user has answered.
class IUserPrompt
{
public:
    virtual ~IUserPrompt() = default;
    // "Click OK to unlock Scrubix and proceed." with an OK button.
    virtual void ShowAckTimeout() = 0;
    // The Purge Warning. True when closed with OK/Yes; bDontShowAgain tells
    // whether "Don't show this warning in the future." was ticked.
    virtual bool ConfirmPurge(bool& bDontShowAgain) = 0;
    // A box with the application's title, the text and an OK button: what a
    // pass could not do and the user must hear of.
    virtual void ShowMessage(const std::string& /*strText*/) {}
    // Wait cursor for the length of a purge pass.
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
};
