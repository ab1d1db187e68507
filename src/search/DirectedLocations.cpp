#include "search/DirectedLocations.h"

#include "search/CandidateRules.h"
#include "search/SearchThread.h"
#include "search/UrlCacheSweep.h"
#include "settings/FolderPath.h"

namespace
{
constexpr const char* CACHE_SUFFIX = "\\Temporary Internet Files";
constexpr const char* ROOT_CACHE_FOLDER = "C:\\Temporary Internet Files";
constexpr const char* DEFAULT_USER_CACHE_FOLDER =
    "C:\\WINNT\\PROFILES\\default user\\Temporary Internet Files";
constexpr const char* INDEX_SUFFIX = "\\index.dat";
constexpr const char* SHELL_FOLDERS_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

void SearchDirectedFile(CSearchContext& context, const std::string& strEntry)
{
    const size_t nSlash = strEntry.rfind('\\');
    if (nSlash == std::string::npos)
        return;

    SFindEntry entry;
    if (!context.FileSystem().OpenForSize(strEntry, entry.nSizeHigh, entry.nSizeLow,
                                          entry.identity))
        return;
    entry.strName = strEntry.substr(nSlash + 1);
    entry.bDetailsKnown = true;
    ClassifyFile(context, strEntry.substr(0, nSlash), entry, 1, nullptr);
}

// Walks a cache folder as a directed location, then deletes its index file at
// once (or lists it, in a list-only search).
void WalkCacheFolder(CSearchContext& context, const std::string& strFolder)
{
    WalkFolder(context, strFolder, 1);
    RemoveIndexFile(context, strFolder + INDEX_SUFFIX);
}
} // namespace

bool ReadUserCacheFolder(CSettingsStore& store, std::string& strFolder)
{
    auto lock = store.Lock();
    const std::string strSavedBase = store.GetBaseKey();
    bool bKeyExisted = false;
    std::unique_ptr<IRegistryKey> pKey;
    EKeyDisposition disposition = EKeyDisposition::CreatedNewKey;
    if (store.SetBaseKey(ERegistryHive::CurrentUser, SHELL_FOLDERS_KEY, &pKey, &disposition))
    {
        if (disposition == EKeyDisposition::OpenedExistingKey)
        {
            strFolder = store.GetString("Shell Folders", "Cache", "");
            bKeyExisted = true;
        }
        if (pKey)
            pKey->Close();
    }
    store.SetBaseKey(ERegistryHive::LocalMachine, strSavedBase);
    return bKeyExisted;
}

void SearchDirectedLists(CSearchContext& context)
{
    CScrubixDoc& doc = context.m_doc;
    for (const std::string& strEntry : doc.Lists[LIST_FILE])
        SearchDirectedFile(context, strEntry);
    for (const std::string& strEntry : doc.Lists[LIST_FOLDER])
    {
        // An entry that stands for a whole drive ("C:\.", "C:\etc\..", a
        // bare root put in the store by hand) or that depends on a current
        // folder is never walked: every file under it would be Directed.
        const SFolderPath folder = ResolveFolderPath(strEntry);
        if (folder.bFullPath && !folder.bDriveRoot)
            WalkFolder(context, ResolvedFolderEntry(strEntry, folder), 1);
    }
}

void SearchIECache(CSearchContext& context)
{
    CScrubixDoc& doc = context.m_doc;
    const std::string strRecorded = SweepUrlCache(context);
    SweepCacheIndexes(context, strRecorded);

    const std::string strWindows = doc.PlatformId == 2 ? "C:\\WINNT" : "C:\\WINDOWS";
    WalkCacheFolder(context, strWindows + CACHE_SUFFIX);
    WalkCacheFolder(context, ROOT_CACHE_FOLDER);

    std::string strUserCache;
    if (!ReadUserCacheFolder(doc.Store(), strUserCache) || strUserCache.empty())
        return;
    if (strUserCache.back() == '\\')
        strUserCache.pop_back();
    // A cache folder that stands for a whole drive is not walked as one.
    const SFolderPath cache = ResolveFolderPath(strUserCache);
    if (cache.bFullPath && !cache.bDriveRoot)
        WalkCacheFolder(context, strUserCache);
    WalkCacheFolder(context, DEFAULT_USER_CACHE_FOLDER);
}
