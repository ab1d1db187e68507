#include "search/CandidateRules.h"

#include "platform/CopyTemporaryName.h"
#include "platform/FileTimes.h"
#include "search/WaitForAck.h"
#include "settings/TextFolding.h"

#include <atomic>

namespace
{
bool HasSize(SFindEntry& entry, IFolderListing* pListing)
{
    if (entry.bDetailsKnown)
        return true;
    // A file that has gone since it was listed keeps what the listing saw,
    // which on some platforms has no size at all.
    return pListing != nullptr && pListing->FillDetails(entry) && entry.bDetailsKnown;
}

// The file's last modification in whole seconds since 1970, from what the
// entry carries: the listing's own time, or the identity's state once read.
int64_t ModifiedOf(const SFindEntry& entry)
{
    if (entry.bWriteTimeKnown)
        return UnixSecondsOfFileTime(entry.nWriteTime);
    if (entry.identity.bStateKnown && entry.identity.nWriteTime != 0)
        return UnixSecondsOfFileTime(entry.identity.nWriteTime);
    return UNKNOWN_UNIX_TIME;
}

double SizeOf(const SFindEntry& entry)
{
    return static_cast<double>(entry.nSizeHigh) * 4294967296.0 +
           static_cast<double>(entry.nSizeLow);
}
} // namespace

bool IsOldEnough(int64_t nModified, int64_t nNow, int32_t nMinAgeDays)
{
    if (nMinAgeDays <= 0)
        return true;
    if (nModified == UNKNOWN_UNIX_TIME)
        return false;
    // A modification time in the future is no age at all; the subtraction
    // cannot overflow for any time a file system records.
    return nNow - nModified >= static_cast<int64_t>(nMinAgeDays) * 86400;
}

bool MatchesWildcardExclude(std::string_view strName, std::string_view strEntry, bool bIgnoreCase)
{
    const size_t nDot = strName.rfind('.');
    if (nDot == std::string_view::npos)
        return false;
    const std::string_view strNameExten = strName.substr(nDot + 1);
    const std::string_view strEntryExten = strEntry.size() >= 2 ? strEntry.substr(2) : "";
    return bIgnoreCase ? EqualsIgnoreCaseAscii(strNameExten, strEntryExten)
                       : strNameExten == strEntryExten;
}

bool MatchesExcludeEntry(std::string_view strName, std::string_view strEntry, bool bIgnoreCase)
{
    if (bIgnoreCase ? EqualsIgnoreCaseAscii(strEntry, strName) : strEntry == strName)
        return true;
    return !strEntry.empty() && strEntry.front() == '*' &&
           MatchesWildcardExclude(strName, strEntry, bIgnoreCase);
}

bool IsNameAllowed(const CScrubixDoc& doc, std::string_view strName)
{
    const bool bIgnoreCase = doc.ExcludeCase == 1;
    for (const std::string& strEntry : doc.Lists[LIST_EXCLUDE])
    {
        if (MatchesExcludeEntry(strName, strEntry, bIgnoreCase))
            return false;
    }
    return !EqualsIgnoreCaseAscii(strName, "DESKTOP.INI") &&
           !EqualsIgnoreCaseAscii(strName, "INDEX.DAT") && !IsCopyTemporaryName(strName);
}

void ClassifyFile(CSearchContext& context, const std::string& strFolder, SFindEntry& entry,
                  int32_t nDirected, IFolderListing* pListing)
{
    const CScrubixDoc& doc = context.m_doc;
    if (!IsNameAllowed(doc, entry.strName))
        return;

    int32_t nReason = REASON_NONE;
    if (nDirected != 0)
    {
        nReason = REASON_DIRECTED;
    }
    else
    {
        const size_t nDot = entry.strName.rfind('.');
        if (nDot != std::string::npos && nDot + 1 < entry.strName.size() &&
            doc.ExtenMap.count(ToUpperAscii(entry.strName.substr(nDot + 1))) != 0)
            nReason = REASON_EXTENSION;
        else if (doc.Zero == 1 && HasSize(entry, pListing) && entry.nSizeHigh == 0 &&
                 entry.nSizeLow == 0)
            nReason = REASON_ZERO_LENGTH;
        else
            return;
    }

    // The age rule goes first where the listing carries the time (Windows),
    // so a file too new is never opened for its identity; elsewhere the time
    // comes with the details below.
    const bool bAgeRule = doc.MinAge > 0;
    if (bAgeRule && entry.bWriteTimeKnown &&
        !IsOldEnough(ModifiedOf(entry), doc.SearchStartSeconds, doc.MinAge))
        return;
    // A candidate carries its size and identity (the disposal checks that the
    // file is still the one listed); other files never need them read.
    if ((!entry.bDetailsKnown || !entry.identity.bKnown) && pListing != nullptr)
        pListing->FillDetails(entry);
    const int64_t nModified = ModifiedOf(entry);
    if (bAgeRule && !IsOldEnough(nModified, doc.SearchStartSeconds, doc.MinAge))
        return;
    std::string strPath;
    strPath.reserve(strFolder.size() + 1 + entry.strName.size());
    strPath.append(strFolder).append(1, '\\').append(entry.strName);
    ReportCandidate(context, strPath, SizeOf(entry), nReason, entry.identity, nModified);
}

void ReportCandidate(CSearchContext& context, const std::string& strPath, double dSize,
                     int32_t nReason, const SFileIdentity& identity, int64_t nModified)
{
    CScrubixDoc& doc = context.m_doc;
    WaitForAck(doc.CandidateAck, context.m_clock, context.m_prompt);
    doc.CandidateAck.store(0, std::memory_order_relaxed);
    doc.CandidatePath = strPath;
    doc.CandidateSize = dSize;
    doc.CandidateReason = nReason;
    doc.CandidateIdentity = identity;
    doc.CandidateModified = nModified;
    context.m_port.PostMessage(WM_ADD_CANDIDATE, 0);
}
