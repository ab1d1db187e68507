#include "platform/win32/Win32SafeOpen.h"

#include <vector>
#include <windows.h>

namespace
{

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string FullPath(const std::string& strPath)
{
    const DWORD nNeeded = ::GetFullPathNameA(strPath.c_str(), 0, nullptr, nullptr);
    if (nNeeded == 0)
        return {};
    std::vector<char> buffer(nNeeded + 1);
    const DWORD nLength = ::GetFullPathNameA(strPath.c_str(), static_cast<DWORD>(buffer.size()),
                                             buffer.data(), nullptr);
    if (nLength == 0 || nLength >= buffer.size())
        return {};
    return std::string(buffer.data(), nLength);
}

std::string FinalPath(HANDLE hFile)
{
    const DWORD nNeeded = ::GetFinalPathNameByHandleA(hFile, nullptr, 0, VOLUME_NAME_DOS);
    if (nNeeded == 0)
        return {};
    std::vector<char> buffer(nNeeded + 1);
    const DWORD nLength = ::GetFinalPathNameByHandleA(
        hFile, buffer.data(), static_cast<DWORD>(buffer.size()), VOLUME_NAME_DOS);
    if (nLength == 0 || nLength >= buffer.size())
        return {};
    std::string strPath(buffer.data(), nLength);
    if (strPath.rfind("\\\\?\\UNC\\", 0) == 0)
        return "\\\\" + strPath.substr(8);
    if (strPath.rfind("\\\\?\\", 0) == 0)
        return strPath.substr(4);
    return strPath;
}

std::string WithoutTrailingSeparator(std::string strPath)
{
    while (strPath.size() > 3 && (strPath.back() == '\\' || strPath.back() == '/'))
        strPath.pop_back();
    return strPath;
}

} // namespace

bool CWin32SafeOpen::Describe(void* hFile, SWin32FileInfo& info)
{
    BY_HANDLE_FILE_INFORMATION data{};
    if (!::GetFileInformationByHandle(hFile, &data))
        return false;
    info.nAttributes = data.dwFileAttributes;
    info.nSize = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    info.nLinks = data.nNumberOfLinks;
    info.identity.nVolume = data.dwVolumeSerialNumber;
    info.identity.nIndex = (static_cast<uint64_t>(data.nFileIndexHigh) << 32) | data.nFileIndexLow;
    info.identity.bKnown = true;
    info.identity.nBirthTime = (static_cast<uint64_t>(data.ftCreationTime.dwHighDateTime) << 32) |
                               data.ftCreationTime.dwLowDateTime;
    info.identity.bStateKnown = true;
    info.identity.nSize = info.nSize;
    info.identity.nWriteTime =
        static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                             data.ftLastWriteTime.dwLowDateTime);
    // The change time moves on whenever the file or its metadata changes (a
    // file put in another's place included); 0 where the volume keeps none.
    FILE_BASIC_INFO basic{};
    if (::GetFileInformationByHandleEx(hFile, FileBasicInfo, &basic, sizeof(basic)))
        info.identity.nChangeTime = basic.ChangeTime.QuadPart;
    return true;
}

bool CWin32SafeOpen::IsReachedDirectly(void* hFile, const std::string& strHostPath)
{
    const std::string strWanted = WithoutTrailingSeparator(FullPath(strHostPath));
    const std::string strFinal = WithoutTrailingSeparator(FinalPath(hFile));
    if (strWanted.empty() || strWanted.size() != strFinal.size())
        return false;
    for (size_t i = 0; i < strWanted.size(); ++i)
        if (UpperAscii(strWanted[i]) != UpperAscii(strFinal[i]))
            return false;
    return true;
}

CWin32Handle CWin32SafeOpen::Open(const std::string& strHostPath, uint32_t nAccess, uint32_t nShare,
                                  SWin32FileInfo& info)
{
    CWin32Handle file(::CreateFileA(strHostPath.c_str(), nAccess, nShare, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                    nullptr));
    if (!file.IsOpen() || ::GetFileType(file.Get()) != FILE_TYPE_DISK ||
        !Describe(file.Get(), info) || !IsReachedDirectly(file.Get(), strHostPath))
        return {};
    return file;
}
