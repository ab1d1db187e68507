#include "platform/win32/Win32CopyTemporaries.h"

#include "platform/CopyTemporaryName.h"

#include <atomic>
#include <vector>
#include <windows.h>

std::string Win32NewCopyTemporaryName()
{
    static std::atomic<uint32_t> s_nCounter{0};
    LARGE_INTEGER ticks{};
    ::QueryPerformanceCounter(&ticks);
    const uint64_t nSerial =
        (static_cast<uint64_t>(ticks.QuadPart) << 20) ^ s_nCounter.fetch_add(1);
    return CopyTemporaryName(static_cast<uint32_t>(::GetCurrentProcessId()), nSerial);
}

bool Win32IsProcessGone(uint32_t nProcessId)
{
    if (nProcessId == 0)
        return false;
    HANDLE hProcess = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, nProcessId);
    if (hProcess == nullptr)
        return ::GetLastError() == ERROR_INVALID_PARAMETER;
    DWORD nExitCode = 0;
    const bool bEnded = ::GetExitCodeProcess(hProcess, &nExitCode) && nExitCode != STILL_ACTIVE;
    ::CloseHandle(hProcess);
    return bEnded;
}

int Win32RemoveStaleCopies(const std::string& strHostFolder)
{
    std::string strFolder = strHostFolder;
    if (!strFolder.empty() && strFolder.back() != '\\' && strFolder.back() != '/')
        strFolder += '\\';
    // The names are gathered first, so that no removal happens while the
    // folder is being read.
    std::vector<std::string> stale;
    WIN32_FIND_DATAA data{};
    HANDLE hFind = ::FindFirstFileA((strFolder + ".scrubix-copy.*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    const DWORD nSelf = ::GetCurrentProcessId();
    do
    {
        uint32_t nProcessId = 0;
        constexpr DWORD NOT_A_FILE = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        if ((data.dwFileAttributes & NOT_A_FILE) == 0 &&
            ParseCopyTemporaryName(data.cFileName, nProcessId) && nProcessId != nSelf &&
            Win32IsProcessGone(nProcessId))
            stale.emplace_back(data.cFileName);
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);

    int nRemoved = 0;
    for (const std::string& strName : stale)
    {
        const std::string strPath = strFolder + strName;
        const DWORD nAttributes = ::GetFileAttributesA(strPath.c_str());
        if (nAttributes == INVALID_FILE_ATTRIBUTES)
            continue;
        if ((nAttributes & FILE_ATTRIBUTE_READONLY) != 0)
            ::SetFileAttributesA(strPath.c_str(), nAttributes & ~FILE_ATTRIBUTE_READONLY);
        if (::DeleteFileA(strPath.c_str()))
            ++nRemoved;
    }
    return nRemoved;
}
