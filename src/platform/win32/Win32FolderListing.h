#pragma once

#include "platform/IFileSystem.h"
#include "platform/win32/Win32Handle.h"

#include <memory>
#include <string>

// A FindFirstFile / FindNextFile listing of "folder\*.*", in the file
// system's own order. The listing carries sizes and attributes, so entries
// come out with their details. It carries no file index: FillDetails opens a
// file that is not a folder (never following it) for its identity, which
// stays unknown when the file cannot be opened. Opening every file listed
// would cost a few calls a file (under Wine, server round trips that make a
// walk several times slower), so only the files that need it are opened.
class CWin32FolderListing : public IFolderListing
{
public:
    // nullptr when the folder cannot be listed.
    static std::unique_ptr<CWin32FolderListing> Open(const std::string& strHostFolder);
    ~CWin32FolderListing() override;
    CWin32FolderListing(const CWin32FolderListing&) = delete;
    CWin32FolderListing& operator=(const CWin32FolderListing&) = delete;

    bool Next(SFindEntry& entry) override;
    // The identity of a file the listing returned (details it has already).
    bool FillDetails(SFindEntry& entry) override;

private:
    struct SFindData;
    CWin32FolderListing(void* hFind, std::string strFolder, std::unique_ptr<SFindData> pFirst);
    bool Convert(const SFindData& data, SFindEntry& entry) const;

    void* m_hFind;
    std::string m_strFolder;               // with its trailing "\"
    std::unique_ptr<SFindData> m_pPending; // the first entry, until Next returns it
    std::unique_ptr<SFindData> m_pData;
};
