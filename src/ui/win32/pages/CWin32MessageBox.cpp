#include "CWin32MessageBox.h"

#include "ui/win32/dialogs/WideText.h"

namespace
{
// The window the box goes over: the active window of this thread when there
// is one (a dialog above the sheet), else the last active popup of the owner.
HWND BoxOwner(HWND hOwner)
{
    HWND hActive = GetActiveWindow();
    if (hActive != nullptr && IsWindowEnabled(hActive))
        return hActive;
    if (hOwner == nullptr || !IsWindow(hOwner))
        return nullptr;
    HWND hRoot = GetAncestor(hOwner, GA_ROOT);
    HWND hPopup = GetLastActivePopup(hRoot);
    return hPopup != nullptr && IsWindowEnabled(hPopup) ? hPopup : hRoot;
}

std::wstring BoxText(const std::string& strText)
{
    // MessageBox breaks lines at "\n" as it stands.
    return WideFromUtf8(strText);
}
} // namespace

bool CWin32MessageBox::Show(const SPrompt& prompt)
{
    const std::wstring strText = BoxText(prompt.strText);
    HWND hOwner = BoxOwner(m_hOwner);
    if (prompt.eButtons == EPromptButtons::YesNo)
        return MessageBoxW(hOwner, strText.c_str(), TITLE, MB_YESNO | MB_DEFBUTTON1) == IDYES;
    MessageBoxW(hOwner, strText.c_str(), TITLE, MB_OK);
    return true;
}
