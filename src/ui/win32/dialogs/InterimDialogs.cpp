// Interim stand-ins for the dialogs and frame resources of this front end,
// plain enough to run the main window until the real ones replace them.
#include "platform/IShell.h"
#include "ui/res/MenuTemplate.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/StringTable.h"
#include "ui/res/Templates.h"
#include "ui/win32/dialogs/CProgressDialog.h"
#include "ui/win32/dialogs/CPurgeWarningDialog.h"
#include "ui/win32/dialogs/CWelcomeDialog.h"
#include "ui/win32/dialogs/DialogTemplateBytes.h"
#include "ui/win32/dialogs/MainFrameResources.h"
#include "ui/win32/dialogs/ScrubixMessageBox.h"
#include "ui/win32/dialogs/WideText.h"

#include <commctrl.h>

namespace
{
struct SModalState
{
    bool* pTick = nullptr;
};

INT_PTR CALLBACK ModalProc(HWND hDialog, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_INITDIALOG)
    {
        SetWindowLongPtrW(hDialog, DWLP_USER, lParam);
        return TRUE;
    }
    if (nMessage == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
    {
        const int nId = LOWORD(wParam);
        if (nId == IDC_DONT_SHOW)
            return TRUE;
        auto* pState = reinterpret_cast<SModalState*>(GetWindowLongPtrW(hDialog, DWLP_USER));
        if (pState != nullptr && pState->pTick != nullptr)
            *pState->pTick = IsDlgButtonChecked(hDialog, IDC_DONT_SHOW) == BST_CHECKED;
        EndDialog(hDialog, nId);
        return TRUE;
    }
    return FALSE;
}

INT_PTR RunModal(const SDialogTemplate& dialog, HWND hOwner, SModalState& state)
{
    const std::vector<WORD> bytes = BuildDialogTemplate(dialog);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), hOwner,
                                   ModalProc, reinterpret_cast<LPARAM>(&state));
}

INT_PTR CALLBACK QuietProc(HWND, UINT nMessage, WPARAM, LPARAM)
{
    return nMessage == WM_INITDIALOG ? TRUE : FALSE;
}
} // namespace

CWelcomeDialog::CWelcomeDialog(IShell& shell, std::string strHelpTarget)
    : m_shell(shell), m_strHelpTarget(std::move(strHelpTarget))
{
}

INT_PTR CWelcomeDialog::DoModal(HWND hOwner)
{
    SModalState state;
    return RunModal(GetWelcomeTemplate(), hOwner, state);
}

bool CPurgeWarningDialog::Confirm(HWND hOwner, bool& bDontShow)
{
    SModalState state;
    state.pTick = &bDontShow;
    return RunModal(GetPurgeWarningTemplate(), hOwner, state) == IDOK;
}

CProgressDialog::CProgressDialog(HWND hOwner) : m_hOwner(hOwner) {}

CProgressDialog::~CProgressDialog()
{
    if (m_hWnd != nullptr)
        DestroyWindow(m_hWnd);
}

void CProgressDialog::Create()
{
    const std::vector<WORD> bytes = BuildDialogTemplate(GetProgressTemplate());
    m_hWnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                        reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), m_hOwner,
                                        QuietProc, 0);
    SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, m_nTotal);
    SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_SETSTEP, 1, 0);
    ShowWindow(m_hWnd, SW_SHOW);
}

void CProgressDialog::Step(const std::string& strFile)
{
    SetDlgItemTextA(m_hWnd, IDC_PROGRESS_FILE, strFile.c_str());
    SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_STEPIT, 0, 0);
}

int CProgressDialog::Position() const
{
    return static_cast<int>(SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
}

int CProgressDialog::Maximum() const
{
    return static_cast<int>(SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_GETRANGE, FALSE, 0));
}

void ShowScrubixMessage(HWND hOwner, const std::string& strText, UINT nIcon)
{
    MessageBoxW(hOwner, WideFromUtf8(strText).c_str(), L"Scrubix", MB_OK | nIcon);
}

int AskScrubix(HWND hOwner, const std::string& strText, UINT nType)
{
    return MessageBoxW(hOwner, WideFromUtf8(strText).c_str(), L"Scrubix", nType);
}

HMENU CreateMainMenu()
{
    HMENU hBar = CreateMenu();
    HMENU hPopup = nullptr;
    for (const SMenuItem& item : GetMainMenu())
    {
        if (item.eKind == EMenuItemKind::Popup)
        {
            hPopup = CreatePopupMenu();
            AppendMenuW(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup),
                        WideFromUtf8(item.pszText).c_str());
        }
        else if (item.eKind == EMenuItemKind::Separator)
            AppendMenuW(hPopup, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(hPopup, MF_STRING, static_cast<UINT_PTR>(item.nCommandId),
                        WideFromUtf8(item.pszText).c_str());
    }
    return hBar;
}

HACCEL CreateMainAccelerators()
{
    std::vector<ACCEL> table;
    for (const SAccelerator& accelerator : GetAccelerators())
    {
        if (!accelerator.bProgramCommand)
            continue;
        WORD nKey = 0;
        switch (accelerator.eKey)
        {
        case EAcceleratorKey::F2:
            nKey = VK_F2;
            break;
        case EAcceleratorKey::F3:
            nKey = VK_F3;
            break;
        case EAcceleratorKey::Delete:
            nKey = VK_DELETE;
            break;
        case EAcceleratorKey::Home:
            nKey = VK_HOME;
            break;
        case EAcceleratorKey::Escape:
            nKey = VK_ESCAPE;
            break;
        default:
            continue;
        }
        table.push_back(ACCEL{FVIRTKEY, nKey, static_cast<WORD>(accelerator.nCommandId)});
    }
    return CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

HIMAGELIST CreateToolbarImages()
{
    return nullptr;
}

std::vector<TBBUTTON> ToolbarButtons()
{
    std::vector<TBBUTTON> buttons;
    int nImage = 0;
    for (const SToolbarButton& button : GetToolbarButtons())
    {
        TBBUTTON tb{};
        if (button.nCommandId == 0)
        {
            tb.fsStyle = BTNS_SEP;
        }
        else
        {
            tb.iBitmap = nImage++;
            tb.idCommand = button.nCommandId;
            tb.fsState = TBSTATE_ENABLED;
            tb.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(tb);
    }
    return buttons;
}

HICON LoadProgramIcon(int)
{
    return LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
}
