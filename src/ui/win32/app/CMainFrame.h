#pragma once

#include "disposal/SDisposalSummary.h"
#include "search/ResultsExport.h"
#include "ui/rules/AboutLinks.h"
#include "ui/rules/Commands.h"
#include "ui/win32/app/CScrubixView.h"
#include "ui/win32/app/ResultsMenus.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

class CProgressDialog;
class CScrubixDoc;
struct CLaunchMode;

// What the frame offers its owner to replace or supply the dialogs it opens;
// each is optional.
struct SFrameHooks
{
    // Opens the help page; the default opens HelpIndexPath() through the shell.
    std::function<void()> openHelp;
    // The Options sheet, owned by owner; true after OK (the document then
    // holds the new settings, saved, and the Run entry is rewritten). The
    // default is RunOptionsSheet.
    std::function<bool(HWND owner)> showOptions;
    // The About box, owned by owner; the default is RunAboutDialog.
    std::function<void(HWND owner)> showAbout;
    // Runs once the frame's window is destroyed (the program's end).
    std::function<void()> onDestroyed;
    // Runs when the pass of an unattended run has ended, right before the
    // frame closes itself, with what the pass did.
    std::function<void(const SDisposalSummary&)> onUnattendedPassDone;
    // Asks where Export Results writes (UTF-8, a path of the host) and in
    // which form; an empty name cancels. The default is the save dialog
    // (GetSaveFileNameW; the name's suffix, or the chosen filter, picks CSV
    // or JSON).
    std::function<std::string(EExportFormat& format)> chooseExportFile;
    // Shows the list's context menu at the screen point and returns the
    // chosen command id (0: none). The default is TrackPopupMenu.
    std::function<int(HMENU hMenu, POINT at)> trackContextMenu;
};

// The program's only top-level window (class SXClass): menu 128, toolbar with
// tool tips, status bar with the command prompts and the checked-rows pane,
// and the results view. Keeps a fixed size computed from the form, remembers
// its placement (`Screen`), receives the workers' private messages in its
// window procedure, owns the move-progress dialog while a move runs, and
// decides when the program may close.
//
// Everything here runs on the user-interface thread.
class CMainFrame
{
public:
    // Scans strArguments for the boot tokens into launchMode before anything
    // else; Create then builds the window.
    CMainFrame(CScrubixDoc& doc, CLaunchMode& launchMode, const std::string& strArguments,
               const SViewServices& services, SFrameHooks hooks = {});
    ~CMainFrame();
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // Registers the class and creates the window, hidden, at the stored
    // placement, with its menu, bars and view. False when it could not.
    bool Create();
    HWND Window() const { return m_hWnd; }
    CScrubixView& View() { return *m_pView; }
    HWND ToolBar() const { return m_hToolBar; }
    HWND StatusBar() const { return m_hStatusBar; }
    HACCEL Accelerators() const { return m_hAccelerators; }

    // The keyboard's share of the message loop: the accelerators (a key the
    // results list keeps for itself stays with it) and the form's and the
    // progress dialog's navigation. True when msg was used up.
    bool PreTranslateMessage(MSG& msg);

    // Moves and sizes the frame to what the form needs.
    void FitToView(CScrubixView& view);
    // Timer 104: the one-time version notice, 200 ms from now.
    void ArmNoticeTimer();

    // The first-run Welcome dialog; true when the user chose to move files.
    bool RunWelcomeDialog();
    // The Purge Warning: true for Yes; bDontShow tells the tick's state.
    bool RunPurgeWarning(bool& bDontShow);

    // The move-progress dialog while a move runs, else nullptr.
    CProgressDialog* ProgressDialog() const { return m_pProgressDialog.get(); }
    void DestroyProgressDialog();

    // Enables every command (menu item, toolbar button, accelerator) from
    // the view state and the Move setting.
    void UpdateCommands();
    void UpdateListCommands();
    // Whether the command is enabled now (as the menu shows it).
    bool IsCommandOn(int nCommandId) const;
    // The checked-rows pane follows the table.
    void OnChecksChanged();
    // The status bar's pane text (0: prompts, 1: "%d checked, %dK bytes").
    std::string StatusText(int nPane) const;

    // Runs a command as the menu, toolbar or an accelerator would; a
    // disabled command does nothing. The list's commands have their own ids
    // (ListCommandId).
    void OnCommand(int nCommandId);
    // Runs a list command (sorting: by nColumn) as its menu item would.
    void OnListCommand(EListCommand command, int nColumn = 0);
    // Export Results: asks for the file, then writes it; a file that cannot
    // be written is named in "Cannot write %s".
    void ExportResults();
    // The list's context menu for the current row, at the screen point; a
    // point of (-1, -1) (the keyboard's menu key, Shift+F10) puts it at the
    // current row, or the list's corner without one. Runs the chosen command.
    void ShowListContextMenu(POINT at);
    // The context menu's items as ShowListContextMenu would show them now.
    std::vector<SContextMenuItem> ListContextMenu() const;
    // A menu item's text as the menu shows it (by command id).
    std::string MenuItemText(int nCommandId) const;

    static constexpr UINT_PTR NOTICE_TIMER_ID = 104;
    static constexpr UINT NOTICE_TIMER_MS = 200;
    static constexpr const wchar_t* CLASS_NAME = L"SXClass";

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    void CreateBars();
    void LayoutBars();
    void SetStatusPrompt(const std::string& strText);
    void PlaceFromStoredScreen(int& x, int& y, int& cx, int& cy);
    void SavePlacement();
    void HandlePrivateMessage(UINT nMessage, WPARAM wParam);
    void OnClose();
    void OnTimer(UINT_PTR nTimerId);
    bool OnNotify(const NMHDR& header, LRESULT& lResult);
    void ShowVersionNotice();
    void OpenHelp();
    void ShowAbout();
    void ShowOptions();
    bool KeepsKeyForList(const MSG& msg) const;
    // The menu key or Shift+F10 pressed or let go in the results list.
    bool IsListMenuKey(const MSG& msg) const;

    CScrubixDoc& m_doc;
    CLaunchMode& m_launchMode;
    SViewServices m_services;
    SFrameHooks m_hooks;
    SAboutLinks m_aboutLinks; // the About box's links, visited or not, for the run
    HWND m_hWnd = nullptr;
    HWND m_hToolBar = nullptr;
    HWND m_hStatusBar = nullptr;
    HMENU m_hMenu = nullptr;
    HACCEL m_hAccelerators = nullptr;
    HIMAGELIST m_hToolbarImages = nullptr;
    std::unique_ptr<CScrubixView> m_pView;
    std::unique_ptr<CProgressDialog> m_pProgressDialog;
    std::map<int, bool> m_enabled; // command id -> enabled
    std::wstring m_strTip;         // the tool tip last handed out
    bool m_bPlacementReady = false;
    bool m_bClosing = false;
};
