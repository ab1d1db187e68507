#pragma once

#include "ui/qt/app/CScrubixView.h"
#include "ui/qt/dialogs/CProgressDialog.h"
#include "ui/rules/AboutLinks.h"

#include <QBasicTimer>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

class CScrubixDoc;
class QAction;
class QLabel;
class QMenu;

// What the frame offers its owner to replace the dialogs it opens (a test
// answers them itself); each is optional.
struct SFrameHooks
{
    // Opens the help page; the default opens it through the shell.
    std::function<void()> openHelp;
    // Asks where Export Results writes and in which form; an empty name
    // cancels. The default is the file dialog (the name's suffix, or the
    // chosen filter, picks CSV or JSON).
    std::function<QString(EExportFormat& format)> chooseExportFile;
};

// The program's only top-level window: menu 128, toolbar, status bar and the
// results view. Keeps a fixed size computed from the form, remembers its
// placement (`Screen`), receives the workers' private messages as posted
// events, owns the move-progress dialog while a move runs, and decides when
// the program may close.
//
// Everything here runs on the user-interface thread.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // Scans strArguments for the boot tokens into launchMode before anything
    // else, then builds the menu, toolbar, status bar and the view.
    CMainFrame(CScrubixDoc& doc, CLaunchMode& launchMode, const std::string& strArguments,
               const SViewServices& services, SAboutLinks& about, SFrameHooks hooks = {});
    ~CMainFrame() override;

    CScrubixView& View() { return *m_pView; }
    // The action of a command id (menu, toolbar and accelerator share it).
    QAction* Action(int nCommandId) const;

    // Moves and pins the frame to the size the form needs.
    void FitToView(CScrubixView& view);
    // Timer 104: the one-time version notice, 200 ms from now.
    void ArmNoticeTimer();

    // The first-run Welcome dialog; true when the user chose to move files.
    bool RunWelcomeDialog();
    // The Purge Warning: true for Yes; bDontShow tells the tick's state.
    bool RunPurgeWarning(bool& bDontShow);

    // The move-progress dialog while a move runs, else nullptr.
    CProgressDialog* ProgressDialog() const { return m_pProgressDialog; }
    void DestroyProgressDialog();

    // Enables every command from the view state and the Move setting.
    void UpdateCommands();

    // The action of a results list command (sorting: one per column).
    QAction* ListAction(EListCommand command, int nColumn = 0) const;
    // The results list's context menu, built for the current row.
    QMenu* BuildListContextMenu();
    // The status bar's "%d checked, %dK bytes".
    QLabel* CheckedLabel() const { return m_pCheckedLabel; }

signals:
    // A private message has been handled (tests wait on it).
    void MessageHandled(uint32_t nMessage);
    // The pass of an unattended run has ended and the frame is about to close
    // (the view's Disposal() tells what the pass did).
    void UnattendedPassDone();

protected:
    bool event(QEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;
    void moveEvent(QMoveEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    void CreateActions();
    void CreateListActions();
    void AddListMenus();
    void UpdateListCommands();
    void OnListCommand(EListCommand command, int nColumn);
    void ExportResults();
    void ShowListContextMenu(const QPoint& at);
    void CreateMenuAndToolbar();
    void PlaceFromStoredScreen();
    void SavePlacement();
    void HandlePrivateMessage(uint32_t nMessage, uintptr_t wParam);
    void OnCommand(int nCommandId);
    void ShowVersionNotice();
    void OpenHelp();
    void ShowAbout();
    void ShowOptions();

    CScrubixDoc& m_doc;
    CLaunchMode& m_launchMode;
    SViewServices m_services;
    SAboutLinks& m_about;
    SFrameHooks m_hooks;
    std::map<int, QAction*> m_actions;
    // Keyed by command and, for sorting, column.
    std::map<std::pair<EListCommand, int>, QAction*> m_listActions;
    QLabel* m_pCheckedLabel = nullptr;
    CScrubixView* m_pView = nullptr;
    QPointer<CProgressDialog> m_pProgressDialog;
    QBasicTimer m_noticeTimer; // 104
    QBasicTimer m_closeTimer;  // 105
    bool m_bPlacementReady = false;
};
