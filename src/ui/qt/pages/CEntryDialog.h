#pragma once

#include <QDialog>
#include <string>

class IMessageBox;
class QLineEdit;

// The small modal dialog in which an Extensions or Excludes entry is typed.
// Captioned "Add", or "Edit" when m_bEditMode is set before it is shown. OK
// closes it only when the entry passes its checks (empty entry always, the
// wildcard form in Exclude mode, the store's length limit); otherwise the
// message is shown and the dialog stays open with the text as typed. Cancel
// closes it without checks. The page that runs it is its owner, so it stays
// above the Options sheet, and it is modal to the whole program while it runs;
// its refusals are shown above it. User-interface thread only.
class CEntryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CEntryDialog(IMessageBox& messageBox, QWidget* pParent = nullptr);

    bool m_bEditMode = false;
    bool m_bExcludeMode = false;
    std::string m_strEntry;

    QLineEdit* EntryEdit() const { return m_pEdit; }

    void accept() override;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    IMessageBox& m_messageBox;
    QLineEdit* m_pEdit = nullptr;
    bool m_bInitialised = false;
};
