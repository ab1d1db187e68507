#include "platform/win32/CWin32FileSystem.h"

#include "platform/win32/Win32CopyTemporaries.h"
#include "platform/win32/Win32FileReader.h"
#include "platform/win32/Win32FolderListing.h"
#include "platform/win32/Win32SafeOpen.h"
#include "platform/win32/Win32TextFile.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace
{

constexpr DWORD SHARE_ALL = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A host path of the ANSI code page as UTF-16; empty when it cannot be converted.
std::wstring WideFromAnsiPath(const std::string& strPath)
{
    const int nLength = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, strPath.data(),
                                              static_cast<int>(strPath.size()), nullptr, 0);
    if (nLength <= 0)
        return {};
    std::wstring strWide(static_cast<size_t>(nLength), L'\0');
    ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, strPath.data(),
                          static_cast<int>(strPath.size()), strWide.data(), nLength);
    return strWide;
}

std::string ParentOf(const std::string& strHostPath)
{
    const size_t nSlash = strHostPath.find_last_of("\\/");
    if (nSlash == std::string::npos)
        return {};
    return strHostPath.substr(0, nSlash == 2 && strHostPath[1] == ':' ? 3 : nSlash);
}

// Flushes what was written under a name; a folder is flushed as far as the
// file system allows it.
void FlushToDisk(const std::string& strHostPath, DWORD nFlags)
{
    CWin32Handle file(::CreateFileA(strHostPath.c_str(), GENERIC_WRITE, SHARE_ALL, nullptr,
                                    OPEN_EXISTING, nFlags, nullptr));
    if (file.IsOpen())
        ::FlushFileBuffers(file.Get());
}

// Flushes a copy that may carry the read-only attribute, which would refuse
// the write access a flush needs: the attribute is taken off for the flush.
void FlushCopy(const std::string& strHostPath)
{
    const DWORD nAttributes = ::GetFileAttributesA(strHostPath.c_str());
    const bool bReadOnly =
        nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (bReadOnly)
        ::SetFileAttributesA(strHostPath.c_str(), nAttributes & ~FILE_ATTRIBUTE_READONLY);
    FlushToDisk(strHostPath, FILE_ATTRIBUTE_NORMAL);
    if (bReadOnly)
        ::SetFileAttributesA(strHostPath.c_str(), nAttributes);
}

// Removes a temporary copy that could not be given its name.
void RemoveCopy(const std::string& strHostPath)
{
    const DWORD nAttributes = ::GetFileAttributesA(strHostPath.c_str());
    if (nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_READONLY) != 0)
        ::SetFileAttributesA(strHostPath.c_str(), nAttributes & ~FILE_ATTRIBUTE_READONLY);
    ::DeleteFileA(strHostPath.c_str());
}

} // namespace

CWin32FileSystem::CWin32FileSystem(CWin32DriveMap driveMap) : m_driveMap(std::move(driveMap)) {}

std::unique_ptr<IFolderListing> CWin32FileSystem::OpenListing(const std::string& strFolder)
{
    const auto host = m_driveMap.ToHost(strFolder);
    if (!host)
        return nullptr;
    return CWin32FolderListing::Open(*host);
}

bool CWin32FileSystem::GetAttributes(const std::string& strPath, uint32_t& nAttributes)
{
    const auto host = m_driveMap.ToHost(strPath);
    if (!host)
        return false;
    const DWORD nFound = ::GetFileAttributesA(host->c_str());
    if (nFound == INVALID_FILE_ATTRIBUTES)
        return false;
    nAttributes = nFound;
    if ((nAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        nAttributes &= ~static_cast<uint32_t>(FILE_ATTRIBUTE_DIRECTORY);
    return true;
}

bool CWin32FileSystem::SetAttributes(const std::string& strPath, uint32_t nAttributes,
                                     const SFileIdentity& expected)
{
    const auto host = m_driveMap.ToHost(strPath);
    if (!host)
        return false;
    // The change goes through the handle whose identity was checked, so a
    // name swapped in the meantime cannot take it.
    SWin32FileInfo info;
    const CWin32Handle file =
        CWin32SafeOpen::Open(*host, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, SHARE_ALL, info);
    if (!file.IsOpen() || !CWin32SafeOpen::Matches(info, expected))
        return false;
    constexpr uint32_t SETTABLE = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const uint32_t nNew = (info.nAttributes & ~SETTABLE) | (nAttributes & SETTABLE);
    if (nNew == info.nAttributes)
        return true;
    // Another name of the same file may lie outside the drive.
    const bool bClearsReadOnly =
        (info.nAttributes & FILE_ATTRIBUTE_READONLY) != 0 && (nNew & FILE_ATTRIBUTE_READONLY) == 0;
    if (bClearsReadOnly && !info.IsFolder() && info.nLinks > 1)
        return false;
    FILE_BASIC_INFO basic{}; // zero times stay as they are
    basic.FileAttributes = (nNew & SETTABLE) != 0 ? (nNew & SETTABLE) : FILE_ATTRIBUTE_NORMAL;
    return ::SetFileInformationByHandle(file.Get(), FileBasicInfo, &basic, sizeof(basic)) != 0;
}

bool CWin32FileSystem::RemoveFile(const std::string& strPath, const SFileIdentity& expected)
{
    const auto host = m_driveMap.ToHost(strPath);
    if (!host)
        return false;
    SWin32FileInfo info;
    const CWin32Handle file =
        CWin32SafeOpen::Open(*host, DELETE | FILE_READ_ATTRIBUTES, SHARE_ALL, info);
    if (!file.IsOpen() || info.IsFolder() || (info.nAttributes & FILE_ATTR_READONLY) != 0 ||
        !CWin32SafeOpen::Matches(info, expected))
        return false;
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    return ::SetFileInformationByHandle(file.Get(), FileDispositionInfo, &disposition,
                                        sizeof(disposition)) != 0;
}

bool CWin32FileSystem::CopyFileTo(const std::string& strSource, const std::string& strDestination,
                                  bool bFailIfExists, const SFileIdentity& expectedSource)
{
    const auto source = m_driveMap.ToHost(strSource);
    const auto destination = m_driveMap.ToHost(strDestination);
    if (!source || !destination)
        return false;
    // Held without delete sharing for the whole copy, so the name keeps
    // naming the file that was checked (and its folders cannot be renamed).
    SWin32FileInfo info;
    const CWin32Handle held = CWin32SafeOpen::Open(*source, GENERIC_READ, FILE_SHARE_READ, info);
    if (!held.IsOpen() || info.IsFolder() || info.IsReparsePoint() ||
        !CWin32SafeOpen::Matches(info, expectedSource))
        return false;
    // Windows refuses to copy over a read-only file; Wine running as root
    // would not, so the rule is checked here rather than left to the call.
    const DWORD nExisting = ::GetFileAttributesA(destination->c_str());
    if (nExisting != INVALID_FILE_ATTRIBUTES &&
        (bFailIfExists || (nExisting & FILE_ATTRIBUTE_READONLY) != 0))
        return false;

    // Copied under a temporary name beside the destination (CopyFile keeps
    // the last-write time and the attributes) and named only when complete,
    // so that a copy cut short never stands under the real name.
    const std::string strFolder = ParentOf(*destination);
    const std::string strPrefix =
        strFolder.empty() || strFolder.back() == '\\' ? strFolder : strFolder + "\\";
    std::string strTemporary;
    bool bCopied = false;
    for (int nTry = 0; nTry < 100 && !bCopied; ++nTry)
    {
        strTemporary = strPrefix + Win32NewCopyTemporaryName();
        bCopied = ::CopyFileA(source->c_str(), strTemporary.c_str(), TRUE) != 0;
        const DWORD nError = ::GetLastError();
        if (!bCopied && nError != ERROR_FILE_EXISTS && nError != ERROR_ALREADY_EXISTS)
            return false;
    }
    if (!bCopied)
        return false;
    FlushCopy(strTemporary);
    const DWORD nMoveFlags =
        MOVEFILE_WRITE_THROUGH | (bFailIfExists ? 0 : MOVEFILE_REPLACE_EXISTING);
    if (!::MoveFileExA(strTemporary.c_str(), destination->c_str(), nMoveFlags))
    {
        RemoveCopy(strTemporary);
        return false;
    }
    FlushToDisk(strFolder, FILE_FLAG_BACKUP_SEMANTICS);
    return true;
}

int CWin32FileSystem::RemoveStaleCopies(const std::string& strFolder)
{
    const auto host = m_driveMap.ToHost(strFolder);
    return host ? Win32RemoveStaleCopies(*host) : 0;
}

bool CWin32FileSystem::MakeFolder(const std::string& strPath)
{
    const auto host = m_driveMap.ToHost(strPath);
    return host && ::CreateDirectoryA(host->c_str(), nullptr);
}

EPutBack CWin32FileSystem::MoveNoReplace(const std::string& strSource,
                                         const std::string& strDestination,
                                         const SFileIdentity& expectedSource)
{
    const auto source = m_driveMap.ToHost(strSource);
    const auto destination = m_driveMap.ToHost(strDestination);
    if (!source || !destination)
        return EPutBack::Failed;
    {
        // Held without delete sharing until the rename: the name keeps
        // naming the checked file.
        SWin32FileInfo info;
        const CWin32Handle file = CWin32SafeOpen::Open(
            *source, DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE, FILE_SHARE_READ, info);
        if (!file.IsOpen())
        {
            const DWORD nError = ::GetLastError();
            return nError == ERROR_FILE_NOT_FOUND || nError == ERROR_PATH_NOT_FOUND
                       ? EPutBack::Gone
                       : EPutBack::Failed;
        }
        if (info.IsFolder())
            return EPutBack::Failed;
        if (!CWin32SafeOpen::Matches(info, expectedSource))
            return EPutBack::Changed;
        const size_t nSlash = destination->find_last_of('\\');
        if (nSlash == std::string::npos)
            return EPutBack::Failed;
        SWin32FileInfo folderInfo;
        const CWin32Handle folder = CWin32SafeOpen::Open(destination->substr(0, nSlash),
                                                         FILE_TRAVERSE, SHARE_ALL, folderInfo);
        if (!folder.IsOpen() || !folderInfo.IsFolder())
            return EPutBack::Failed;
        if (::GetFileAttributesA(destination->c_str()) != INVALID_FILE_ATTRIBUTES)
            return EPutBack::Taken;

        // The rename goes through the handle of the file that was checked.
        const std::wstring strTarget = WideFromAnsiPath(*destination);
        if (strTarget.empty())
            return EPutBack::Failed;
        std::vector<BYTE> buffer(sizeof(FILE_RENAME_INFO) + strTarget.size() * sizeof(wchar_t));
        auto* pRename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        pRename->ReplaceIfExists = FALSE;
        pRename->RootDirectory = nullptr;
        pRename->FileNameLength = static_cast<DWORD>(strTarget.size() * sizeof(wchar_t));
        std::memcpy(pRename->FileName, strTarget.data(), strTarget.size() * sizeof(wchar_t));
        if (::SetFileInformationByHandle(file.Get(), FileRenameInfo, pRename,
                                         static_cast<DWORD>(buffer.size())) != 0)
            return EPutBack::Moved;
        const DWORD nError = ::GetLastError();
        if (nError == ERROR_ALREADY_EXISTS || nError == ERROR_FILE_EXISTS)
            return EPutBack::Taken;
        if (nError != ERROR_NOT_SAME_DEVICE)
            return EPutBack::Failed;
    }
    // Another volume: copied and removed once the handle is closed.
    return IFileSystem::MoveNoReplace(strSource, strDestination, expectedSource);
}

bool CWin32FileSystem::OpenForSize(const std::string& strPath, uint32_t& nSizeHigh,
                                   uint32_t& nSizeLow, SFileIdentity& identity)
{
    const auto host = m_driveMap.ToHost(strPath);
    if (!host)
        return false;
    SWin32FileInfo info;
    const CWin32Handle file = CWin32SafeOpen::Open(*host, GENERIC_READ, SHARE_ALL, info);
    if (!file.IsOpen() || info.IsFolder())
        return false;
    nSizeHigh = static_cast<uint32_t>(info.nSize >> 32);
    nSizeLow = static_cast<uint32_t>(info.nSize);
    identity = info.identity;
    return true;
}

bool CWin32FileSystem::IsFolderAccessible(const std::string& strPath)
{
    const auto host = m_driveMap.ToHost(strPath);
    if (!host)
        return false;
    SWin32FileInfo info;
    const CWin32Handle folder = CWin32SafeOpen::Open(*host, FILE_TRAVERSE, SHARE_ALL, info);
    return folder.IsOpen() && info.IsFolder();
}

bool CWin32FileSystem::ReadWholeFile(const std::string& strPath, std::string& strContents)
{
    const auto host = m_driveMap.ToHost(strPath);
    if (!host)
        return false;
    const CWin32Handle file(::CreateFileA(host->c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen() || ::GetFileType(file.Get()) != FILE_TYPE_DISK)
        return false;
    strContents.clear();
    std::vector<char> buffer(64 * 1024);
    DWORD nRead = 0;
    while (
        ::ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &nRead, nullptr) &&
        nRead > 0)
        strContents.append(buffer.data(), nRead);
    return true;
}

std::unique_ptr<IFileReader> CWin32FileSystem::OpenFileReader(const std::string& strPath)
{
    const auto host = m_driveMap.ToHost(strPath);
    if (!host)
        return nullptr;
    CWin32Handle file(::CreateFileA(host->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen() || ::GetFileType(file.Get()) != FILE_TYPE_DISK)
        return nullptr;
    return std::make_unique<CWin32FileReader>(std::move(file));
}

std::unique_ptr<ITextFile> CWin32FileSystem::CreateTextFile(const std::string& strPath)
{
    const auto host = m_driveMap.ToHost(strPath);
    if (!host)
        return nullptr;
    // Opened without following whatever is at the name, then checked before
    // anything is truncated: a link planted there is refused rather than
    // written through (Wine follows a Unix link to a file even so; the final
    // path check catches that).
    CWin32Handle file(::CreateFileA(host->c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    SWin32FileInfo info;
    if (!file.IsOpen() || ::GetFileType(file.Get()) != FILE_TYPE_DISK ||
        !CWin32SafeOpen::Describe(file.Get(), info) || info.IsReparsePoint() || info.IsFolder() ||
        !CWin32SafeOpen::IsReachedDirectly(file.Get(), *host) || !::SetEndOfFile(file.Get()))
        return nullptr;
    return std::make_unique<CWin32TextFile>(std::move(file));
}

std::string CWin32FileSystem::GetCurrentFolder()
{
    std::vector<char> buffer(MAX_PATH + 1);
    DWORD nLength = ::GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (nLength >= buffer.size())
    {
        buffer.resize(nLength + 1);
        nLength = ::GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    if (nLength == 0 || nLength >= buffer.size())
        return "C:\\";
    const auto program = m_driveMap.ToProgram(std::string(buffer.data(), nLength));
    return program ? *program : "C:\\";
}

std::string CWin32FileSystem::GetWindowsFolder()
{
    std::vector<char> buffer(MAX_PATH + 1);
    DWORD nLength = ::GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (nLength >= buffer.size())
    {
        buffer.resize(nLength + 1);
        nLength = ::GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    if (nLength == 0 || nLength >= buffer.size())
        return "C:\\WINDOWS";
    std::string strFolder(buffer.data(), nLength);
    while (strFolder.size() > 3 && strFolder.back() == '\\')
        strFolder.pop_back();
    return strFolder;
}

std::vector<std::string> CWin32FileSystem::ListSystemFolders()
{
    // GetWindowsFolder names the host's folder; under a drive table of its
    // own it may lie on none of the program's drives.
    const std::string strHost = GetWindowsFolder();
    std::vector<std::string> folders;
    if (m_driveMap.IsIdentity())
        folders.push_back(strHost);
    else if (const std::optional<std::string> program = m_driveMap.ToProgram(strHost))
        folders.push_back(*program);
    return folders;
}

int32_t CWin32FileSystem::GetPlatformId()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!::GetVersionExA(&version))
        return 2;
    return static_cast<int32_t>(version.dwPlatformId);
}

std::vector<std::string> CWin32FileSystem::ListDrives()
{
    std::vector<std::string> drives;
    if (!m_driveMap.IsIdentity())
    {
        for (const CWin32DriveMap::SDrive& drive : m_driveMap.Drives())
            drives.push_back(std::string(1, drive.cLetter) + ":");
        return drives;
    }
    std::vector<char> buffer(4 * 26 + 2);
    const DWORD nLength =
        ::GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (nLength == 0 || nLength >= buffer.size())
        return drives;
    for (const char* pszRoot = buffer.data(); *pszRoot != '\0'; pszRoot += std::strlen(pszRoot) + 1)
        drives.push_back(std::string(pszRoot, 2));
    return drives;
}
