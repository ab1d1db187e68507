#include "platform/win32/Win32FolderListing.h"

#include "platform/win32/Win32SafeOpen.h"

#include <windows.h>

struct CWin32FolderListing::SFindData
{
    WIN32_FIND_DATAA data{};
};

std::unique_ptr<CWin32FolderListing> CWin32FolderListing::Open(const std::string& strHostFolder)
{
    std::string strFolder = strHostFolder;
    if (!strFolder.empty() && strFolder.back() != '\\' && strFolder.back() != '/')
        strFolder += '\\';
    const std::string strPattern = strFolder + "*.*";
    auto pFirst = std::make_unique<SFindData>();
    HANDLE hFind = ::FindFirstFileA(strPattern.c_str(), &pFirst->data);
    if (hFind == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::unique_ptr<CWin32FolderListing>(
        new CWin32FolderListing(hFind, std::move(strFolder), std::move(pFirst)));
}

CWin32FolderListing::CWin32FolderListing(void* hFind, std::string strFolder,
                                         std::unique_ptr<SFindData> pFirst)
    : m_hFind(hFind), m_strFolder(std::move(strFolder)), m_pPending(std::move(pFirst)),
      m_pData(std::make_unique<SFindData>())
{
}

CWin32FolderListing::~CWin32FolderListing()
{
    ::FindClose(m_hFind);
}

bool CWin32FolderListing::Next(SFindEntry& entry)
{
    for (;;)
    {
        if (m_pPending)
        {
            const std::unique_ptr<SFindData> pFirst = std::move(m_pPending);
            if (Convert(*pFirst, entry))
                return true;
            continue;
        }
        if (!::FindNextFileA(m_hFind, &m_pData->data))
            return false;
        if (Convert(*m_pData, entry))
            return true;
    }
}

bool CWin32FolderListing::Convert(const SFindData& found, SFindEntry& entry) const
{
    const WIN32_FIND_DATAA& data = found.data;
    entry = SFindEntry{};
    entry.strName = data.cFileName;
    // A name the ANSI code page cannot spell comes back with "?" in it; no
    // call could reach that file by such a name.
    if (entry.strName.empty() || entry.strName.find('?') != std::string::npos)
        return false;
    entry.nAttributes = data.dwFileAttributes;
    // A junction or directory link is not a folder to enter.
    if ((entry.nAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        entry.nAttributes &= ~static_cast<uint32_t>(FILE_ATTRIBUTE_DIRECTORY);
    if ((entry.nAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    {
        entry.nSizeHigh = data.nFileSizeHigh;
        entry.nSizeLow = data.nFileSizeLow;
        entry.nWriteTime = static_cast<int64_t>(
            (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
            data.ftLastWriteTime.dwLowDateTime);
        entry.bWriteTimeKnown = true;
    }
    entry.bDetailsKnown = true;
    return true;
}

bool CWin32FolderListing::FillDetails(SFindEntry& entry)
{
    if (entry.IsDirectory() || entry.identity.bKnown)
        return entry.bDetailsKnown;
    // Opened, never followed, for the file index the listing does not carry.
    const CWin32Handle file(::CreateFileA(
        (m_strFolder + entry.strName).c_str(), FILE_READ_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    SWin32FileInfo info;
    if (!file.IsOpen() || !CWin32SafeOpen::Describe(file.Get(), info))
        return false;
    entry.identity = info.identity;
    return true;
}
