#include "CWelcomeDialog.h"

#include "CTemplateBuilder.h"
#include "platform/IShell.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"

#include <QApplication>
#include <QPushButton>

CWelcomeDialog::CWelcomeDialog(IShell& shell, const QString& strHelpTarget, QWidget* pParent)
    : QDialog(pParent), m_shell(shell), m_strHelpTarget(strHelpTarget),
      m_beep([] { QApplication::beep(); })
{
    CTemplateBuilder builder(GetWelcomeTemplate());
    builder.ApplyWindowFrame(this);
    builder.Build(this);

    if (auto* pPurge = builder.ControlAs<QPushButton>(ID_RESULT_OK))
    {
        connect(pPurge, &QPushButton::clicked, this, &QDialog::accept);
        pPurge->setFocus(Qt::OtherFocusReason);
    }
    if (auto* pMove = builder.ControlAs<QPushButton>(ID_RESULT_CANCEL))
    {
        connect(pMove, &QPushButton::clicked, this, &QDialog::reject);
    }
    if (auto* pHelp = builder.ControlAs<QPushButton>(IDC_WELCOME_HELP))
    {
        connect(pHelp, &QPushButton::clicked, this, &CWelcomeDialog::OnHelp);
    }
}

void CWelcomeDialog::OnHelp()
{
    if (m_strHelpTarget.isEmpty() || !m_shell.Open(m_strHelpTarget.toStdString()))
    {
        m_beep();
    }
}
