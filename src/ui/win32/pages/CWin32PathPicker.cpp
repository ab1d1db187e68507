#include "CWin32PathPicker.h"

#include "platform/win32/CWin32DriveMap.h"
#include "ui/win32/dialogs/WideText.h"

#include <commdlg.h>
#include <shlobj.h>
#include <vector>

namespace
{
std::wstring WideFromAnsi(const std::string& strText)
{
    if (strText.empty())
        return {};
    const int nLength = MultiByteToWideChar(CP_ACP, 0, strText.data(),
                                            static_cast<int>(strText.size()), nullptr, 0);
    std::wstring strWide(static_cast<size_t>(nLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, strText.data(), static_cast<int>(strText.size()), strWide.data(),
                        nLength);
    return strWide;
}

std::string AnsiFromWide(const std::wstring& strText)
{
    if (strText.empty())
        return {};
    const int nLength = WideCharToMultiByte(
        CP_ACP, 0, strText.data(), static_cast<int>(strText.size()), nullptr, 0, nullptr, nullptr);
    std::string strAnsi(static_cast<size_t>(nLength), '\0');
    WideCharToMultiByte(CP_ACP, 0, strText.data(), static_cast<int>(strText.size()), strAnsi.data(),
                        nLength, nullptr, nullptr);
    return strAnsi;
}

// A program path as the dialogs must see it; empty when it maps nowhere.
std::wstring ToHostForm(const std::string& strProgramPath)
{
    if (strProgramPath.empty())
        return {};
    const std::optional<std::string> host =
        CWin32DriveMap::FromEnvironment().ToHost(strProgramPath);
    return host ? WideFromAnsi(*host) : std::wstring();
}

SPathChoice Chosen(const std::wstring& strHostPath)
{
    SPathChoice choice;
    choice.bChosen = true;
    choice.strHostPath = AnsiFromWide(strHostPath);
    choice.windowsPath = CWin32DriveMap::FromEnvironment().ToProgram(choice.strHostPath);
    return choice;
}

int CALLBACK BrowseCallback(HWND hBrowser, UINT nMessage, LPARAM, LPARAM lpData)
{
    // The browser opens on the start folder.
    if (nMessage == BFFM_INITIALIZED && lpData != 0)
        SendMessageW(hBrowser, BFFM_SETSELECTIONW, TRUE, lpData);
    return 0;
}
} // namespace

SPathChoice CWin32PathPicker::BrowseForFolder(HWND hOwner, const std::string& strTitle,
                                              const std::string& strStartFolder)
{
    const std::wstring strWideTitle = WideFromUtf8(strTitle);
    const std::wstring strStart = ToHostForm(strStartFolder);
    wchar_t szDisplay[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = hOwner;
    info.pidlRoot = nullptr; // the desktop
    info.pszDisplayName = szDisplay;
    info.lpszTitle = strWideTitle.c_str();
    info.ulFlags = 0;
    info.lpfn = BrowseCallback;
    info.lParam = strStart.empty() ? 0 : reinterpret_cast<LPARAM>(strStart.c_str());
    PIDLIST_ABSOLUTE pItem = SHBrowseForFolderW(&info);
    if (pItem == nullptr)
        return {};
    wchar_t szPath[MAX_PATH] = {};
    const BOOL bHasPath = SHGetPathFromIDListW(pItem, szPath);
    CoTaskMemFree(pItem);
    // An item without a file-system path is no choice.
    if (!bHasPath || szPath[0] == L'\0')
        return {};
    return Chosen(szPath);
}

SPathChoice CWin32PathPicker::OpenFile(HWND hOwner, const std::string& strStartFolder,
                                       const std::string& strInitialFile)
{
    const std::wstring strStart = ToHostForm(strStartFolder);
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring strInitial = ToHostForm(strInitialFile);
    // Only the name: the dialog starts in the start folder.
    const size_t nSlash = strInitial.find_last_of(L"\\/");
    const std::wstring strName =
        nSlash == std::wstring::npos ? strInitial : strInitial.substr(nSlash + 1);
    std::wstring strStartBare = strStart;
    while (!strStartBare.empty() && (strStartBare.back() == L'\\' || strStartBare.back() == L'/'))
        strStartBare.pop_back();
    const bool bInStart =
        !strInitial.empty() && nSlash != std::wstring::npos &&
        CompareStringOrdinal(strInitial.c_str(), static_cast<int>(nSlash), strStartBare.c_str(),
                             static_cast<int>(strStartBare.size()), TRUE) == CSTR_EQUAL;
    if (bInStart && strName.size() < file.size())
        strName.copy(file.data(), strName.size());

    static constexpr wchar_t kFilter[] = L"All Files (*.*)\0*.*\0";
    OPENFILENAMEW open{};
    open.lStructSize = sizeof(open);
    open.hwndOwner = hOwner;
    open.lpstrFilter = kFilter;
    open.nFilterIndex = 1;
    open.lpstrFile = file.data();
    open.nMaxFile = static_cast<DWORD>(file.size());
    open.lpstrInitialDir = strStart.empty() ? nullptr : strStart.c_str();
    open.Flags = OFN_HIDEREADONLY | OFN_LONGNAMES | OFN_EXPLORER;
    if (!GetOpenFileNameW(&open))
        return {};
    return Chosen(file.data());
}
