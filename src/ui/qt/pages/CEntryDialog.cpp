#include "CEntryDialog.h"

#include "ui/qt/dialogs/CTemplateBuilder.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"
#include "ui/rules/EntryRules.h"
#include "ui/rules/IMessageBox.h"

#include <QLineEdit>
#include <QPushButton>

CEntryDialog::CEntryDialog(IMessageBox& messageBox, QWidget* pParent)
    : QDialog(pParent), m_messageBox(messageBox)
{
    const SDialogTemplate* pTemplate = FindTemplate(IDD_ENTRY);
    CTemplateBuilder builder(*pTemplate);
    builder.ApplyWindowFrame(this); // the caption "Add", a close box, no minimise or maximise
    builder.Build(this);
    m_pEdit = builder.ControlAs<QLineEdit>(IDC_ENTRY_TEXT);
    if (auto* pOk = builder.ControlAs<QPushButton>(ID_RESULT_OK))
        connect(pOk, &QPushButton::clicked, this, &CEntryDialog::accept);
    if (auto* pCancel = builder.ControlAs<QPushButton>(ID_RESULT_CANCEL))
        connect(pCancel, &QPushButton::clicked, this, &CEntryDialog::reject);
}

void CEntryDialog::showEvent(QShowEvent* pEvent)
{
    if (!m_bInitialised)
    {
        m_bInitialised = true;
        if (m_bEditMode)
            setWindowTitle(QStringLiteral("Edit"));
        m_pEdit->setText(QString::fromStdString(m_strEntry));
        m_pEdit->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(pEvent);
}

void CEntryDialog::accept()
{
    m_strEntry = m_pEdit->text().toStdString();
    if (m_bExcludeMode)
        m_strEntry = TrimEntryBlanks(m_strEntry);
    if (const std::optional<SPrompt> refusal = CheckEntryText(m_strEntry, m_bExcludeMode))
    {
        m_messageBox.Show(*refusal);
        m_pEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    QDialog::accept();
}
