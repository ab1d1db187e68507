#include "search/SearchThread.h"

#include "search/CandidateRules.h"
#include "search/DirectedLocations.h"
#include "search/WaitForAck.h"
#include "settings/TextFolding.h"

#include <atomic>

namespace
{
void PostSearchPath(CSearchContext& context, const std::string& strFolder)
{
    CScrubixDoc& doc = context.m_doc;
    WaitForAck(doc.PathAck, context.m_clock, context.m_prompt);
    doc.PathAck.store(0, std::memory_order_relaxed);
    doc.SearchPath = strFolder;
    context.m_port.PostMessage(WM_SEARCH_PATH, 0);
}
} // namespace

bool IsFolderAllowed(const CScrubixDoc& doc, const std::string& strPath)
{
    for (const std::string& strFilter : doc.Lists[LIST_FILTER])
    {
        if (EqualsIgnoreCaseAscii(strFilter, strPath))
            return false;
    }
    return true;
}

void ScanFiles(CSearchContext& context, const std::string& strFolder, int32_t nDirected,
               std::vector<std::string>* pSubfolders)
{
    std::unique_ptr<IFolderListing> pListing = context.FileSystem().OpenListing(strFolder);
    if (!pListing)
        return;

    SFindEntry entry;
    bool bFirst = true;
    while (pListing->Next(entry))
    {
        // A stop ends the pass after the file in hand; the first entry is
        // classified regardless, as the walk had seen no stop before opening.
        if (!bFirst && context.IsStopRequested())
            break;
        bFirst = false;
        if (!entry.IsDirectory())
        {
            ClassifyFile(context, strFolder, entry, nDirected, pListing.get());
        }
        else if (pSubfolders != nullptr && !entry.strName.empty() && entry.strName[0] != '.')
        {
            // The listing never reports a link or junction to a folder as a
            // directory, so nothing here may re-derive it from the name.
            std::string strPath;
            strPath.reserve(strFolder.size() + 1 + entry.strName.size());
            strPath.append(strFolder).append(1, '\\').append(entry.strName);
            if (IsFolderAllowed(context.m_doc, strPath) && !context.IsStopRequested())
                pSubfolders->push_back(std::move(strPath));
        }
    }
}

void WalkFolder(CSearchContext& context, const std::string& strFolder, int32_t nDirected)
{
    PostSearchPath(context, strFolder);
    if (context.IsStopRequested())
        return;

    // One listing pass both classifies the files and keeps the sub-folders;
    // it is closed before any sub-folder is entered.
    std::vector<std::string> subfolders;
    ScanFiles(context, strFolder, nDirected, &subfolders);

    for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it)
    {
        if (context.IsStopRequested())
            break;
        WalkFolder(context, *it, nDirected);
    }
}

int SearchThreadProc(CSearchContext context)
{
    CScrubixDoc& doc = context.m_doc;
    doc.SearchStartTime = context.m_clock.FileTimeNow();
    doc.SearchStartSeconds = static_cast<int64_t>(context.m_clock.Now());
    if (doc.IE == 1)
        SearchIECache(context);
    SearchDirectedLists(context);
    WalkFolder(context, doc.SearchRoot, 0);
    context.m_port.PostMessage(WM_SEARCH_DONE, 0);
    return 0;
}
