#include "ui/qt/app/CWindowPrompt.h"

#include "ui/qt/app/UiThreadCall.h"
#include "ui/qt/dialogs/ScrubixMessageBox.h"
#include "ui/rules/FrameTexts.h"

#include <QApplication>

CWindowPrompt::CWindowPrompt(QObject* pContext, std::function<bool(bool&)> confirmPurge)
    : m_pContext(pContext), m_confirmPurge(std::move(confirmPurge))
{
}

void CWindowPrompt::ShowAckTimeout()
{
    CallOnUiThread(m_pContext,
                   [] { ShowScrubixMessage(nullptr, QString::fromLatin1(ACK_TIMEOUT_TEXT)); });
}

void CWindowPrompt::ShowMessage(const std::string& strText)
{
    const QString text = QString::fromStdString(strText);
    CallOnUiThread(m_pContext, [&] { ShowScrubixMessage(nullptr, text, QMessageBox::Warning); });
}

bool CWindowPrompt::ConfirmPurge(bool& bDontShowAgain)
{
    bool bYes = false;
    bool bDontShow = false;
    CallOnUiThread(m_pContext, [&] { bYes = m_confirmPurge(bDontShow); });
    bDontShowAgain = bDontShow;
    return bYes;
}

void CWindowPrompt::BeginWaitCursor()
{
    CallOnUiThread(m_pContext, [] { QApplication::setOverrideCursor(Qt::WaitCursor); });
}

void CWindowPrompt::EndWaitCursor()
{
    CallOnUiThread(m_pContext, [] { QApplication::restoreOverrideCursor(); });
}
