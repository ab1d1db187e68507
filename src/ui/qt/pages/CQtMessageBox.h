#pragma once

#include "ui/rules/IMessageBox.h"

#include <QPointer>
#include <QWidget>

// The options sheet's message boxes as QMessageBox: titled "Scrubix", no
// icon, plain text. A Yes/No box has Yes as its default button (also where
// the text recommends No) and counts Esc or the close box as No. A box is at
// least wide enough for its title. It is modal, and owned by the dialog that
// is up when it is shown (the entry dialog over the sheet, say), else by the
// owner window given; user-interface thread only.
class CQtMessageBox : public IMessageBox
{
public:
    explicit CQtMessageBox(QWidget* pOwner = nullptr) : m_pOwner(pOwner) {}
    void SetOwner(QWidget* pOwner) { m_pOwner = pOwner; }
    bool Show(const SPrompt& prompt) override;

private:
    QPointer<QWidget> m_pOwner;
};
