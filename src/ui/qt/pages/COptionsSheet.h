#pragma once

#include "SPageContext.h"
#include "ui/rules/OptionsSheetRules.h"
#include "ui/rules/ViewState.h"

#include <QDialog>
#include <QString>
#include <memory>
#include <vector>

class CQtMessageBox;
class CQtPathPicker;
class COptionsPage;
class IAutostart;
class IMessageBox;
class IPathPicker;
class QDialogButtonBox;
class QPushButton;
class QStackedWidget;
class QTabBar;

// Replacements for the sheet's message boxes and path dialogs; nullptr takes
// QMessageBox and QFileDialog.
struct SOptionsServices
{
    IMessageBox* pMessageBox = nullptr;
    IPathPicker* pPathPicker = nullptr;
};

// The Options sheet: caption "Options", OK and Cancel, no Apply. While the
// view is Idle it shows the nine pages in their order, otherwise only
// "Purge/Move". The settings are copied into the pages' members when the
// sheet is built; a page's controls are created when its tab is first shown.
// Leaving a page (another tab, or OK) asks the page first, and it may refuse.
//
// On OK, after the current page agreed to be left: every created page
// commits, the values are copied back into the document (those of the other
// pages only when opened while Idle), SaveSettings writes the whole document,
// and RegisterRunAtBoot rewrites the Run value and the login entry from Run
// and Visible; ActionText() then holds the Action button's new label. Cancel,
// Esc and the close box change nothing. User-interface thread only.
class COptionsSheet : public QDialog
{
    Q_OBJECT

public:
    COptionsSheet(CScrubixDoc& doc, ViewState state, IAutostart& autostart,
                  QWidget* pParent = nullptr, SOptionsServices services = {});
    ~COptionsSheet() override;

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    COptionsPage* Page(int nIndex) const;
    // The page of that kind, or nullptr when the sheet does not show it.
    COptionsPage* FindPage(EOptionsPage ePage) const;
    template <class T> T* FindPageAs(EOptionsPage ePage) const
    {
        return qobject_cast<T*>(FindPage(ePage));
    }
    int CurrentIndex() const { return m_nCurrent; }
    // Switches tabs as a click on a tab does; false when the current page
    // refused to be left.
    bool SetCurrentPage(int nIndex);

    QTabBar* TabBar() const { return m_pTabBar; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }
    // The sheet's working copy of the scalar settings.
    const SOptionsValues& Values() const { return m_values; }
    // After OK: "Purge Files" or "Move Files"; empty otherwise.
    const QString& ActionText() const { return m_strActionText; }

    void accept() override;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    void OnTabChanged(int nIndex);
    void Activate(int nIndex);

    CScrubixDoc& m_doc;
    ViewState m_state;
    IAutostart& m_autostart;
    SOptionsValues m_values;
    std::unique_ptr<CQtMessageBox> m_pOwnMessageBox;
    std::unique_ptr<CQtPathPicker> m_pOwnPathPicker;
    std::unique_ptr<SPageContext> m_pContext;
    std::vector<std::pair<EOptionsPage, COptionsPage*>> m_pages;
    QTabBar* m_pTabBar = nullptr;
    QStackedWidget* m_pStack = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
    int m_nCurrent = -1;
    bool m_bReverting = false;
    QString m_strActionText;
};

// What the main window does after the sheet.
struct SOptionsOutcome
{
    bool bAccepted = false;
    QString strActionText; // the Action button's new label, only when bAccepted
};

// The Options command: builds the sheet afresh, runs it modally and destroys
// it. After OK the document is saved and the run-at-boot entry rewritten;
// the caller relabels its Action button and refreshes the Purge and Move
// commands (they follow doc.Move).
SOptionsOutcome RunOptionsSheet(QWidget* pParent, CScrubixDoc& doc, ViewState state,
                                IAutostart& autostart);
