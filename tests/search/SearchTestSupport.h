#pragma once

#include "platform/Platform.h"
#include "search/CHeadlessWindow.h"
#include "search/CSearch.h"
#include "search/SearchThread.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "support/CSandboxDrive.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <thread>
#include <vector>

// The worker-side box; counts how often the time-out was reported.
class CCountingPrompt : public IUserPrompt
{
public:
    void ShowAckTimeout() override { m_nTimeouts.fetch_add(1); }
    bool ConfirmPurge(bool& bDontShowAgain) override
    {
        bDontShowAgain = false;
        return false;
    }
    std::atomic<int> m_nTimeouts{0};
};

// The real tick counter with an injectable acknowledgement limit.
class CShortTimeoutClock : public IClock
{
public:
    explicit CShortTimeoutClock(uint32_t nTimeoutMs = 15000) : m_nTimeoutMs(nTimeoutMs) {}
    uint32_t GetTickCount() override
    {
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::steady_clock::now().time_since_epoch())
                                         .count());
    }
    void Sleep(uint32_t nMs) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(nMs));
    }
    std::time_t Now() override { return m_nFixedNow != 0 ? m_nFixedNow : std::time(nullptr); }
    uint32_t GetAckTimeoutMs() override { return m_nTimeoutMs; }
    uint32_t m_nTimeoutMs;
    std::time_t m_nFixedNow = 0; // the wall clock stands still here when set
};

// A URL cache with records laid out as the platform's: a fixed 80-byte head
// followed by the two NUL-terminated names, so every record has a real size
// and a buffer offered too small fails the fetch.
class CFakeUrlCache : public IUrlCache
{
public:
    struct SEntry
    {
        std::string strUrl;
        std::string strLocal;
        bool bLocked = false;  // deletion refused, as while a browser holds it
        uint32_t nPadding = 0; // extra record bytes
        bool bDeleted = false;
    };

    void Add(const std::string& strUrl, const std::string& strLocal = {}, uint32_t nPadding = 0,
             bool bLocked = false)
    {
        m_entries.push_back({strUrl, strLocal, bLocked, nPadding, false});
    }
    static uint32_t RecordSize(const SEntry& entry)
    {
        return static_cast<uint32_t>(80 + entry.strUrl.size() + 1 + entry.strLocal.size() + 1 +
                                     entry.nPadding);
    }
    bool IsDeleted(const std::string& strUrl) const
    {
        for (const SEntry& entry : m_entries)
            if (entry.strUrl == strUrl)
                return entry.bDeleted;
        return false;
    }

    class CEnumeration : public IEnumeration
    {
    public:
        CEnumeration(CFakeUrlCache& cache, size_t nPosition)
            : m_cache(cache), m_nPosition(nPosition)
        {
        }
        bool FindNext(void* pBuffer, uint32_t& nSize) override
        {
            const size_t nNext = m_cache.LiveFrom(m_nPosition + 1);
            if (nNext == SIZE_MAX)
                return false;
            if (!m_cache.Fill(nNext, pBuffer, nSize))
                return false;
            m_nPosition = nNext;
            return true;
        }

    private:
        CFakeUrlCache& m_cache;
        size_t m_nPosition;
    };

    std::unique_ptr<IEnumeration> FindFirst(void* pBuffer, uint32_t& nSize) override
    {
        ++m_nFindFirstCalls;
        const size_t nFirst = LiveFrom(0);
        if (nFirst == SIZE_MAX || !Fill(nFirst, pBuffer, nSize))
            return nullptr;
        return std::make_unique<CEnumeration>(*this, nFirst);
    }
    SUrlCacheRecord ReadRecord(const void* pBuffer) override
    {
        const char* pText = static_cast<const char*>(pBuffer) + 80;
        SUrlCacheRecord record;
        record.strSourceUrl = pText;
        record.strLocalFile = pText + record.strSourceUrl.size() + 1;
        return record;
    }
    bool DeleteEntry(const std::string& strUrl) override
    {
        for (SEntry& entry : m_entries)
        {
            if (entry.strUrl == strUrl && !entry.bDeleted && !entry.bLocked)
            {
                entry.bDeleted = true;
                return true;
            }
        }
        return false;
    }

    int m_nFindFirstCalls = 0;
    uint32_t m_nFirstOfferedSize = 0;

private:
    size_t LiveFrom(size_t nStart) const
    {
        for (size_t i = nStart; i < m_entries.size(); ++i)
            if (!m_entries[i].bDeleted)
                return i;
        return SIZE_MAX;
    }
    bool Fill(size_t nIndex, void* pBuffer, uint32_t& nSize)
    {
        const SEntry& entry = m_entries[nIndex];
        const uint32_t nNeeded = RecordSize(entry);
        if (nNeeded > nSize)
        {
            nSize = nNeeded;
            return false;
        }
        uint32_t nStructSize = 0;
        std::memcpy(&nStructSize, pBuffer, sizeof nStructSize);
        EXPECT_EQ(nStructSize, 80u);
        char* pText = static_cast<char*>(pBuffer) + 80;
        std::memcpy(pText, entry.strUrl.c_str(), entry.strUrl.size() + 1);
        std::memcpy(pText + entry.strUrl.size() + 1, entry.strLocal.c_str(),
                    entry.strLocal.size() + 1);
        nSize = nNeeded;
        return true;
    }

    std::vector<SEntry> m_entries;
};

// One message as the window saw it, with the mailbox read at that moment.
struct SSeenMessage
{
    uint32_t nMessage = 0;
    std::string strPath; // SearchPath or CandidatePath
    int32_t nReason = 0;
    double dSize = 0;
};

// A sandbox drive C:, the real POSIX backend and registry, a document with
// the default extensions and no other list entries.
class CSearchTest : public ::testing::Test
{
protected:
    CSearchTest()
        : m_platform(CreatePlatform()), m_store(*m_platform.pRegistry),
          m_doc(m_store, *m_platform.pFileSystem)
    {
        OpenSettingsStore(m_store, *m_platform.pFileSystem);
        m_doc.Lists[LIST_EXTEN] = {"GID", "CHK", "OLD", "LOG", "BAK", "TMP", "___", "__",
                                   "_",   "---", "--",  "-",   "~~~", "~~",  "~"};
        m_doc.RebuildExtenMap();
        m_doc.PlatformId = 2;
    }

    // Runs a whole search on C:, playing the window on this thread. onMessage
    // sees each message before the window handles it.
    std::vector<SSeenMessage>
    RunSearch(const std::function<void(const SSeenMessage&)>& onMessage = {})
    {
        std::vector<SSeenMessage> seen;
        CHeadlessWindow window(m_doc);
        window.BeginSearch("C:");
        CSearch search(CSearchContext{m_doc, window.Port(), m_prompt, m_clock, m_urlCache});
        search.Start();
        window.RunMessageLoop(
            [&](const SPostedMessage& message)
            {
                SSeenMessage item{message.nMessage, {}, 0, 0};
                if (message.nMessage == WM_SEARCH_PATH)
                    item.strPath = m_doc.SearchPath;
                if (message.nMessage == WM_ADD_CANDIDATE)
                    item = {message.nMessage, m_doc.CandidatePath, m_doc.CandidateReason,
                            m_doc.CandidateSize};
                seen.push_back(item);
                if (onMessage)
                    onMessage(item);
                return window.HandleSearchMessage(message);
            });
        search.Join();
        m_rows = window.Table().Rows().Copy();
        return seen;
    }

    // Listed rows as path -> reason.
    std::map<std::string, int32_t> Listed() const
    {
        std::map<std::string, int32_t> listed;
        for (const SCandidateRow& row : m_rows)
            listed[row.strPath] = row.nReason;
        return listed;
    }

    static std::vector<std::string> Paths(const std::vector<SSeenMessage>& seen, uint32_t nMessage)
    {
        std::vector<std::string> paths;
        for (const SSeenMessage& item : seen)
            if (item.nMessage == nMessage)
                paths.push_back(item.strPath);
        return paths;
    }

    // The names of the folder's entries in the backend's listing order.
    std::vector<std::string> ListingOrder(const std::string& strFolder)
    {
        std::vector<std::string> names;
        auto pListing = m_platform.pFileSystem->OpenListing(strFolder);
        SFindEntry entry;
        while (pListing && pListing->Next(entry))
            if (entry.strName != "." && entry.strName != "..")
                names.push_back(entry.strName);
        return names;
    }

    CSandboxDrive m_sandbox;
    SPlatform m_platform;
    CSettingsStore m_store;
    CScrubixDoc m_doc;
    CCountingPrompt m_prompt;
    CShortTimeoutClock m_clock;
    CFakeUrlCache m_urlCache;
    std::vector<SCandidateRow> m_rows;
};
