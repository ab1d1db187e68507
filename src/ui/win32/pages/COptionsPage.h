#pragma once

#include "SPageContext.h"
#include "ui/res/DialogTemplate.h"
#include "ui/rules/SPathChoice.h"

#include <functional>
#include <optional>
#include <prsht.h>
#include <string>
#include <vector>
#include <windows.h>

// One page of the Options sheet, a property-sheet page built from its
// template in src/ui/res/ (PSP_DLGINDIRECT, a DS_CONTROL child). The page
// object exists for one opening of the sheet; the sheet creates its window
// the first time its tab is shown, and only a created page commits on OK
// (PSN_APPLY). Leaving the page (another tab, or OK while it is current)
// asks OnKillActive first, and a refusal keeps it (PSN_KILLACTIVE answered
// TRUE). User-interface thread only.
class COptionsPage
{
public:
    COptionsPage(int32_t nTemplateId, SPageContext& context);
    // The same, with the window class of each Custom control of the template
    // (see SDialogBuildOptions::customClass).
    COptionsPage(int32_t nTemplateId, SPageContext& context,
                 std::function<std::wstring(const SControlTemplate&)> customClass);
    virtual ~COptionsPage();
    COptionsPage(const COptionsPage&) = delete;
    COptionsPage& operator=(const COptionsPage&) = delete;

    // The tab label: the template's caption (UTF-8).
    std::string Caption() const;
    bool IsCreated() const { return m_hWnd != nullptr; }
    HWND Window() const { return m_hWnd; }
    // A control of the created page by id; nullptr before creation.
    HWND Control(int32_t nControlId) const;

    // The page as PropertySheetW takes it; the template bytes live in this
    // object, which must outlive the sheet.
    PROPSHEETPAGEW SheetPage();

    // The page is about to be left; false keeps it. Called only for a
    // created page.
    virtual bool OnKillActive() { return true; }
    // The sheet closes with OK: the controls go into the members or the
    // document. Called only for a created page.
    virtual void OnOK() {}

protected:
    // After the controls exist: load members into controls.
    virtual void OnInitPage() {}
    // A control's notification (WM_COMMAND): its id and code.
    virtual void OnCommand(int32_t /*nControlId*/, UINT /*nCode*/) {}

    SPageContext& Context() const { return m_context; }

    // Where this page's path dialog starts: PickerStartFolder with the
    // candidates in order and the remembered drive (Settings\Drive).
    std::string PickerStart(const std::vector<std::string>& candidates) const;
    // The path a dialog chose, in Windows form; nullopt when it was cancelled
    // or when the choice lies on no drive, which is refused with a message
    // that says why.
    std::optional<std::string> TakeChoice(const SPathChoice& choice) const;

    // Check box state and text of the page's controls (texts in the ANSI
    // code page, as the program keeps paths).
    bool IsChecked(int32_t nControlId) const;
    void SetChecked(int32_t nControlId, bool bChecked) const;
    std::string ControlTextAnsi(int32_t nControlId) const;
    void SetControlTextAnsi(int32_t nControlId, const std::string& strText) const;

private:
    static INT_PTR CALLBACK PageProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    INT_PTR OnNotify(const NMHDR& header);

    const SDialogTemplate& m_template;
    SPageContext& m_context;
    std::vector<WORD> m_templateBytes;
    HWND m_hWnd = nullptr;
};
