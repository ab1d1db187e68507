#pragma once

#include "SPageContext.h"
#include "ui/rules/OptionsSheetRules.h"
#include "ui/rules/ViewState.h"

#include <memory>
#include <utility>
#include <vector>
#include <windows.h>

class COptionsPage;
class CScrubixDoc;
class CWin32MessageBox;
class CWin32PathPicker;
class IAutostart;
class IMessageBox;
class IPathPicker;

// Replacements for the sheet's message boxes and path dialogs; nullptr takes
// MessageBoxW and the shell's dialogs.
struct SOptionsServices
{
    IMessageBox* pMessageBox = nullptr;
    IPathPicker* pPathPicker = nullptr;
};

// The Options sheet: a property sheet captioned "Options" with OK and Cancel
// and no Apply. While the view is Idle it shows the nine pages in their
// order, otherwise only "Purge/Move". The settings are copied into the
// pages' members when the sheet is built; a page's window is created when its
// tab is first shown. Leaving a page (another tab, or OK) asks the page
// first, and it may refuse.
//
// On OK, after the current page agreed to be left: every created page
// commits, the values are copied back into the document (those of the other
// pages only when opened while Idle), SaveSettings writes the whole document,
// and RegisterRunAtBoot rewrites the Run value from Run and Visible. Cancel,
// Esc and the close box change nothing. User-interface thread only.
class COptionsSheet
{
public:
    COptionsSheet(CScrubixDoc& doc, ViewState state, IAutostart& autostart,
                  SOptionsServices services = {});
    ~COptionsSheet();
    COptionsSheet(const COptionsSheet&) = delete;
    COptionsSheet& operator=(const COptionsSheet&) = delete;

    // Runs the sheet modally over hOwner (may be nullptr); true after OK,
    // when the document has been saved and the Run entry rewritten.
    bool DoModal(HWND hOwner);

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    COptionsPage* Page(int nIndex) const;
    // The page of that kind, or nullptr when the sheet does not show it.
    COptionsPage* FindPage(EOptionsPage ePage) const;
    // The sheet's window while it runs; nullptr before its first page exists.
    HWND Window() const { return m_pContext->hSheet; }
    // The sheet's working copy of the scalar settings.
    const SOptionsValues& Values() const { return m_values; }

    static constexpr const wchar_t* CAPTION = L"Options";

private:
    CScrubixDoc& m_doc;
    ViewState m_state;
    IAutostart& m_autostart;
    SOptionsValues m_values;
    std::unique_ptr<CWin32MessageBox> m_pOwnMessageBox;
    std::unique_ptr<CWin32PathPicker> m_pOwnPathPicker;
    IMessageBox* m_pMessageBox = nullptr;
    std::unique_ptr<SPageContext> m_pContext;
    std::vector<std::pair<EOptionsPage, std::unique_ptr<COptionsPage>>> m_pages;
};

// The Options command: builds the sheet afresh, runs it modally over hOwner
// and destroys it. True after OK: the document is saved and the Run entry
// rewritten; the caller then sets its Action button to ActionButtonText
// (doc.Move) and refreshes the Purge and Move commands (they follow
// doc.Move). False after Cancel, Esc or the close box: nothing changed.
bool RunOptionsSheet(HWND hOwner, CScrubixDoc& doc, ViewState state, IAutostart& autostart);
