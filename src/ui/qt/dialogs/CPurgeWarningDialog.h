#pragma once

#include <QDialog>

class QCheckBox;

// The Purge Warning (template 137): asks before a purge deletes the checked
// files, with the tick "Don't show this warning in the future.". Created
// afresh for each purge, run modally with exec(), no owner; it has a close box.
//
//   CPurgeWarningDialog warning;
//   if (warning.exec() == QDialog::Accepted) { if (warning.m_bDontShow) store WarnMe = 0; purge; }
//
// "Yes" (the default button, so also Enter) accepts and copies the tick into
// m_bDontShow; "No", Esc and the close box reject and leave m_bDontShow as it
// was, so a ticked box answered No stores nothing. The dialog itself writes
// no setting. User-interface thread only.
class CPurgeWarningDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CPurgeWarningDialog(QWidget* pParent = nullptr);

    // Runs a fresh warning: true for Yes; bDontShow is then the tick (false
    // for any other answer). The form the disposing thread's prompt calls.
    static bool Confirm(bool& bDontShow, QWidget* pParent = nullptr);

    QCheckBox* DontShowBox() const { return m_pDontShow; }

    void accept() override;

    // Exchanged with check box 1028 when the dialog is accepted.
    bool m_bDontShow = false;

private:
    QCheckBox* m_pDontShow = nullptr;
};
