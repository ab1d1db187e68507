#pragma once

#include "platform/IUserPrompt.h"

#include <QObject>
#include <functional>

// The workers' modal boxes in the window: each runs on the user-interface
// thread while only the asking worker waits for the answer.
class CWindowPrompt : public IUserPrompt
{
public:
    // pContext: an object of the user-interface thread that outlives every
    // worker. confirmPurge shows the Purge Warning (true for Yes).
    CWindowPrompt(QObject* pContext, std::function<bool(bool&)> confirmPurge);

    void ShowAckTimeout() override;
    bool ConfirmPurge(bool& bDontShowAgain) override;
    void ShowMessage(const std::string& strText) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

private:
    QObject* m_pContext;
    std::function<bool(bool&)> m_confirmPurge;
};
