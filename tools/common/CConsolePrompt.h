#pragma once

#include "platform/IUserPrompt.h"

#include <cstdio>

// Nobody is there to answer a headless tool: the time-out box becomes a line
// on the error stream and the work goes on at once; the purge warning is
// never shown (the run is invisible); any other box is a line on the error
// stream.
class CConsolePrompt : public IUserPrompt
{
public:
    void ShowAckTimeout() override
    {
        std::fputs("Click OK to unlock Scrubix and proceed.\n", stderr);
    }
    void ShowMessage(const std::string& strText) override
    {
        std::fprintf(stderr, "%s\n", strText.c_str());
    }
    bool ConfirmPurge(bool& bDontShowAgain) override
    {
        bDontShowAgain = false;
        return false;
    }
};
