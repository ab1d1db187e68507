#include "CPurgeWarningDialog.h"

#include "CTemplateBuilder.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"

#include <QCheckBox>
#include <QPushButton>

CPurgeWarningDialog::CPurgeWarningDialog(QWidget* pParent) : QDialog(pParent)
{
    CTemplateBuilder builder(GetPurgeWarningTemplate());
    builder.ApplyWindowFrame(this);
    builder.Build(this);

    m_pDontShow = builder.ControlAs<QCheckBox>(IDC_DONT_SHOW);
    if (m_pDontShow != nullptr)
    {
        m_pDontShow->setChecked(m_bDontShow);
    }
    if (auto* pYes = builder.ControlAs<QPushButton>(ID_RESULT_OK))
    {
        connect(pYes, &QPushButton::clicked, this, &CPurgeWarningDialog::accept);
        pYes->setFocus(Qt::OtherFocusReason);
    }
    if (auto* pNo = builder.ControlAs<QPushButton>(ID_RESULT_CANCEL))
    {
        connect(pNo, &QPushButton::clicked, this, &QDialog::reject);
    }
}

void CPurgeWarningDialog::accept()
{
    if (m_pDontShow != nullptr)
    {
        m_bDontShow = m_pDontShow->isChecked();
    }
    QDialog::accept();
}

bool CPurgeWarningDialog::Confirm(bool& bDontShow, QWidget* pParent)
{
    CPurgeWarningDialog warning(pParent);
    const bool bYes = warning.exec() == QDialog::Accepted;
    bDontShow = bYes && warning.m_bDontShow;
    return bYes;
}
