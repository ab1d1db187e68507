#include "search/UrlCacheSweep.h"

#include "settings/TextFolding.h"

#include <cstring>

namespace
{
constexpr uint32_t ENTRY_BUFFER_SIZE = 1000;
constexpr uint32_t ENTRY_STRUCT_SIZE = 80;
constexpr size_t RECORDED_PATH_MAX = 259;
constexpr const char* CACHE_MARKER = "TEMPORARY INTERNET FILES";
constexpr size_t CACHE_MARKER_LENGTH = 24;

// One enumeration of the cache. The size offered to each fetch is the size
// the previous call reported, so a record larger than its predecessor ends the
// pass; the next pass starts again with the whole buffer.
bool SweepPass(IUrlCache& cache, std::string& strRecorded, bool& bRecorded)
{
    alignas(8) unsigned char buffer[ENTRY_BUFFER_SIZE] = {};
    std::memcpy(buffer, &ENTRY_STRUCT_SIZE, sizeof ENTRY_STRUCT_SIZE);
    uint32_t nSize = ENTRY_BUFFER_SIZE;

    std::unique_ptr<IUrlCache::IEnumeration> pEnum = cache.FindFirst(buffer, nSize);
    if (!pEnum)
        return false;

    SUrlCacheRecord record = cache.ReadRecord(buffer);
    if (!bRecorded && !record.strLocalFile.empty())
    {
        strRecorded = record.strLocalFile.substr(0, RECORDED_PATH_MAX);
        bRecorded = true;
    }
    bool bDeleted = cache.DeleteEntry(record.strSourceUrl);

    while (pEnum->FindNext(buffer, nSize))
    {
        record = cache.ReadRecord(buffer);
        if (!cache.DeleteEntry(record.strSourceUrl))
            break;
        bDeleted = true;
    }
    return bDeleted;
}

std::string ListUrlCache(IUrlCache& cache, CListedDeletions& listed)
{
    alignas(8) unsigned char buffer[ENTRY_BUFFER_SIZE] = {};
    std::memcpy(buffer, &ENTRY_STRUCT_SIZE, sizeof ENTRY_STRUCT_SIZE);
    uint32_t nSize = ENTRY_BUFFER_SIZE;

    std::string strRecorded;
    std::unique_ptr<IUrlCache::IEnumeration> pEnum = cache.FindFirst(buffer, nSize);
    for (bool bPassStart = true; pEnum;)
    {
        const SUrlCacheRecord record = cache.ReadRecord(buffer);
        if (bPassStart && strRecorded.empty() && !record.strLocalFile.empty())
            strRecorded = record.strLocalFile.substr(0, RECORDED_PATH_MAX);
        listed.Add(EDeletionKind::UrlCacheEntry, record.strSourceUrl);

        const uint32_t nOffered = nSize;
        bPassStart = false;
        if (pEnum->FindNext(buffer, nSize))
            continue;
        // The end, or a record larger than the one before: that pass would
        // end here, and the next start with this record and the whole buffer.
        if (nSize <= nOffered || nSize > ENTRY_BUFFER_SIZE)
            break;
        nSize = ENTRY_BUFFER_SIZE;
        if (!pEnum->FindNext(buffer, nSize))
            break;
        bPassStart = true;
    }
    return strRecorded;
}
} // namespace

std::string SweepUrlCache(CSearchContext& context)
{
    if (context.IsListOnly())
        return ListUrlCache(context.m_urlCache, *context.m_pListOnly);
    std::string strRecorded;
    bool bRecorded = false;
    while (SweepPass(context.m_urlCache, strRecorded, bRecorded))
    {
    }
    return strRecorded;
}

void SweepCacheIndexes(CSearchContext& context, const std::string& strRecordedPath)
{
    if (strRecordedPath.empty())
        return;
    const size_t nMarker = ToUpperAscii(strRecordedPath).find(CACHE_MARKER);
    if (nMarker == std::string::npos)
        return;

    const std::string strCacheRoot = strRecordedPath.substr(0, nMarker + CACHE_MARKER_LENGTH);
    std::vector<std::string> folders;
    CollectSubfolders(context, strCacheRoot, folders);

    IFileSystem& fileSystem = context.FileSystem();
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
    {
        uint32_t nAttributes = 0;
        if (!context.IsListOnly() && fileSystem.GetAttributes(*it, nAttributes))
            fileSystem.SetAttributes(*it, nAttributes & ~FILE_ATTR_SYSTEM);
        RemoveIndexFile(context, *it + "\\index.dat");
    }
}

void RemoveIndexFile(CSearchContext& context, const std::string& strFile)
{
    IFileSystem& fileSystem = context.FileSystem();
    if (!context.IsListOnly())
    {
        fileSystem.RemoveFile(strFile, SFileIdentity{});
        return;
    }
    uint32_t nAttributes = 0;
    if (fileSystem.GetAttributes(strFile, nAttributes) && (nAttributes & FILE_ATTR_DIRECTORY) == 0)
        context.m_pListOnly->Add(EDeletionKind::IndexFile, strFile);
}

void CollectSubfolders(CSearchContext& context, const std::string& strFolder,
                       std::vector<std::string>& folders)
{
    if (context.IsStopRequested())
        return;

    std::vector<std::string> kept;
    {
        std::unique_ptr<IFolderListing> pListing = context.FileSystem().OpenListing(strFolder);
        if (!pListing)
            return;
        SFindEntry entry;
        while (pListing->Next(entry))
        {
            if (entry.IsDirectory() && !entry.strName.empty() && entry.strName[0] != '.')
                kept.push_back(strFolder + "\\" + entry.strName);
        }
    }

    for (auto it = kept.rbegin(); it != kept.rend(); ++it)
    {
        folders.push_back(*it);
        if (!context.IsStopRequested())
            CollectSubfolders(context, *it, folders);
    }
}
