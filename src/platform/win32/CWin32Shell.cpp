#include "platform/win32/CWin32Shell.h"

#include "platform/win32/Win32SafeOpen.h"

#include <cstring>
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

namespace
{
constexpr size_t RECYCLE_PATH_MAX = 260;
}

CWin32Shell::CWin32Shell(CWin32DriveMap driveMap) : m_driveMap(std::move(driveMap)) {}

bool CWin32Shell::MoveToTrash(const std::string& strPath, const SFileIdentity& expected)
{
    const auto host = m_driveMap.ToHost(strPath);
    if (!host || host->size() >= RECYCLE_PATH_MAX)
        return false;
    {
        // The shell works by name: check that the name still holds the
        // reviewed file just before handing it over.
        SWin32FileInfo info;
        const CWin32Handle file =
            CWin32SafeOpen::Open(*host, FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, info);
        if (!file.IsOpen() || info.IsFolder() || !CWin32SafeOpen::Matches(info, expected))
            return false;
    }
    char szFrom[RECYCLE_PATH_MAX + 2] = {};
    std::memcpy(szFrom, host->c_str(), host->size());

    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = szFrom;
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI |
                       FOF_FILESONLY | FOF_RENAMEONCOLLISION;
    if (::SHFileOperationA(&operation) != 0 || operation.fAnyOperationsAborted)
        return false;
    // Success means the file left its folder; a shell that reports success
    // and leaves it in place has not moved it.
    return ::GetFileAttributesA(host->c_str()) == INVALID_FILE_ATTRIBUTES &&
           ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool CWin32Shell::Open(const std::string& strTarget)
{
    // Program paths are opened where the drive map puts them; web and mail
    // addresses go as they are.
    const auto host = m_driveMap.ToHost(strTarget);
    const std::string strOpen = host && strTarget.size() >= 3 ? *host : strTarget;
    const HINSTANCE hResult =
        ::ShellExecuteA(nullptr, "open", strOpen.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(hResult) > 32;
}
