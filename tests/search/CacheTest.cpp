#include "SearchTestSupport.h"
#include "search/DirectedLocations.h"
#include "search/UrlCacheSweep.h"

namespace
{
const char* const EXPLORER_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
}

class CacheTest : public CSearchTest
{
protected:
    CSearchContext Context()
    {
        return CSearchContext{m_doc, m_port, m_prompt, m_clock, m_urlCache};
    }
    void SetCacheValue(const std::string& strValue)
    {
        EKeyDisposition disposition;
        auto pKey = m_platform.pRegistry->CreateKey(
            ERegistryHive::CurrentUser, std::string(EXPLORER_KEY) + "\\Shell Folders", disposition);
        ASSERT_TRUE(pKey);
        ASSERT_TRUE(pKey->SetStringValue("Cache", strValue));
    }
    CMessageQueue m_port;
};

TEST_F(CacheTest, SweepRunsPassesUntilOneDeletesNothing)
{
    m_urlCache.Add("http://a/1", "", 10);
    m_urlCache.Add("http://a/2", "", 10);
    m_urlCache.Add("http://a/big", "", 40); // larger than its predecessor: ends pass 1
    m_urlCache.Add("http://a/3", "", 0);
    auto context = Context();
    EXPECT_EQ(SweepUrlCache(context), "");
    for (const char* pUrl : {"http://a/1", "http://a/2", "http://a/big", "http://a/3"})
        EXPECT_TRUE(m_urlCache.IsDeleted(pUrl)) << pUrl;
    EXPECT_EQ(m_urlCache.m_nFindFirstCalls, 3); // two passes that delete, one empty
}

TEST_F(CacheTest, OversizedFirstRecordStopsTheSweep)
{
    m_urlCache.Add("http://huge", "", 1000);
    m_urlCache.Add("http://small");
    auto context = Context();
    SweepUrlCache(context);
    EXPECT_FALSE(m_urlCache.IsDeleted("http://huge"));
    EXPECT_FALSE(m_urlCache.IsDeleted("http://small"));
    EXPECT_EQ(m_urlCache.m_nFindFirstCalls, 1);
}

TEST_F(CacheTest, LockedEntryEndsThePassAndRecordsOnlyFirstEntries)
{
    // Record sizes 300, 200, 150: no fetch fails for want of room.
    m_urlCache.Add("http://first", "", 205);
    m_urlCache.Add("http://locked", "C:\\elsewhere\\l.htm", 85, true);
    m_urlCache.Add("http://after", "C:\\Temporary Internet Files\\X\\after.htm", 16);
    auto context = Context();
    // Pass 1: first deleted, locked ends it. Pass 2 starts at the locked one,
    // which has a local file: it is recorded though it cannot be deleted;
    // after deleted. Pass 3 deletes nothing.
    EXPECT_EQ(SweepUrlCache(context), "C:\\elsewhere\\l.htm");
    EXPECT_TRUE(m_urlCache.IsDeleted("http://after"));
    EXPECT_FALSE(m_urlCache.IsDeleted("http://locked"));
    EXPECT_EQ(m_urlCache.m_nFindFirstCalls, 3);
}

TEST_F(CacheTest, IndexSweepClearsSubfoldersBelowTheCacheRoot)
{
    m_sandbox.Build({"C:\\WINDOWS\\Temporary Internet Files\\index.dat",
                     "C:\\WINDOWS\\Temporary Internet Files\\Content.IE5\\index.dat",
                     "C:\\WINDOWS\\Temporary Internet Files\\Content.IE5\\AB12CD34\\index.dat",
                     "C:\\WINDOWS\\Temporary Internet Files\\Content.IE5\\AB12CD34\\page[1].htm",
                     "C:\\WINDOWS\\Temporary Internet Files\\.dot\\index.dat"});
    auto context = Context();
    // The recorded path's letter case is kept, so the lower-case root is
    // found only where the drive does not tell letter cases apart.
    uint32_t nAttributes = 0;
    const bool bCaseBlind =
        m_platform.pFileSystem->GetAttributes("C:\\WINDOWS\\temporary internet files", nAttributes);
    SweepCacheIndexes(context, "C:\\WINDOWS\\temporary internet files\\Content.IE5\\AB12CD34\\p");
    EXPECT_TRUE(m_sandbox.Exists("C:\\WINDOWS\\Temporary Internet Files\\index.dat"));
    EXPECT_NE(m_sandbox.Exists("C:\\WINDOWS\\Temporary Internet Files\\Content.IE5\\index.dat"),
              bCaseBlind);
    EXPECT_NE(
        m_sandbox.Exists("C:\\WINDOWS\\Temporary Internet Files\\Content.IE5\\AB12CD34\\index.dat"),
        bCaseBlind);

    SweepCacheIndexes(context,
                      "C:\\WINDOWS\\Temporary Internet Files\\Content.IE5\\AB12CD34\\page[1].htm");
    EXPECT_TRUE(m_sandbox.Exists("C:\\WINDOWS\\Temporary Internet Files\\index.dat"));
    EXPECT_FALSE(m_sandbox.Exists("C:\\WINDOWS\\Temporary Internet Files\\Content.IE5\\index.dat"));
    EXPECT_FALSE(m_sandbox.Exists(
        "C:\\WINDOWS\\Temporary Internet Files\\Content.IE5\\AB12CD34\\index.dat"));
    EXPECT_TRUE(m_sandbox.Exists(
        "C:\\WINDOWS\\Temporary Internet Files\\Content.IE5\\AB12CD34\\page[1].htm"));
    EXPECT_TRUE(m_sandbox.Exists("C:\\WINDOWS\\Temporary Internet Files\\.dot\\index.dat"));
}

TEST_F(CacheTest, RecordedPathWithoutTheMarkerSweepsNothing)
{
    const std::vector<std::string> indexes = {
        "C:\\index.dat",
        "C:\\WINDOWS\\index.dat",
        "C:\\WINDOWS\\System\\index.dat",
        "C:\\WINDOWS\\Cache\\index.dat",
        "C:\\WINDOWS\\Cache\\Content.IE5\\index.dat",
        "C:\\WINDOWS\\Cache\\Content.IE5\\AB12CD34\\index.dat",
        "C:\\WINDOWS\\Temporary Internet\\Sub\\index.dat",
        "C:\\Other\\Sub\\index.dat",
    };
    std::vector<std::string> tree = indexes;
    tree.push_back("C:\\WINDOWS\\Cache\\Content.IE5\\x.htm");
    m_sandbox.Build(tree);
    auto context = Context();
    for (const char* pRecorded :
         {"C:\\WINDOWS\\Cache\\Content.IE5\\x.htm", "C:\\WINDOWS\\Cache\\Content.IE5",
          "C:\\WINDOWS", "C:\\WINDOWS\\", "C:\\WINDOWS\\Cache",
          "C:\\WINDOWS\\Temporary Internet\\x.htm", "C:\\WINDOWS\\Temporary Internet", "C:\\",
          "C:", "C:\\Other", "Temporary Internet Fil"})
    {
        SweepCacheIndexes(context, pRecorded);
        for (const std::string& strIndex : indexes)
            EXPECT_TRUE(m_sandbox.Exists(strIndex)) << strIndex << " after " << pRecorded;
    }
}

TEST_F(CacheTest, CachePhaseWalksFoldersDeletesIndexesAndReadsTheRegistry)
{
    m_sandbox.Build({"C:\\WINNT\\Temporary Internet Files\\a.htm",
                     "C:\\WINNT\\Temporary Internet Files\\index.dat",
                     "C:\\Temporary Internet Files\\b.gif",
                     "C:\\Temporary Internet Files\\index.dat",
                     "C:\\Temporary Internet Files\\Content.IE5\\index.dat",
                     "C:\\Temporary Internet Files\\Content.IE5\\p.htm",
                     "C:\\Users\\me\\Cache\\c.js", "C:\\Users\\me\\Cache\\index.dat",
                     "C:\\WINNT\\PROFILES\\default user\\Temporary Internet Files\\d.css",
                     "C:\\WINNT\\PROFILES\\default user\\Temporary Internet Files\\index.dat"});
    SetCacheValue("C:\\Users\\me\\Cache\\");
    m_urlCache.Add("http://x/p.htm", "C:\\Temporary Internet Files\\Content.IE5\\p.htm");
    m_urlCache.Add("http://x/q.htm");
    m_doc.IE = 1;
    const auto seen = RunSearch();

    EXPECT_TRUE(m_urlCache.IsDeleted("http://x/p.htm"));
    EXPECT_TRUE(m_urlCache.IsDeleted("http://x/q.htm"));
    for (const char* pIndex :
         {"C:\\WINNT\\Temporary Internet Files\\index.dat",
          "C:\\Temporary Internet Files\\index.dat",
          "C:\\Temporary Internet Files\\Content.IE5\\index.dat", "C:\\Users\\me\\Cache\\index.dat",
          "C:\\WINNT\\PROFILES\\default user\\Temporary Internet Files\\index.dat"})
        EXPECT_FALSE(m_sandbox.Exists(pIndex)) << pIndex;

    const auto paths = Paths(seen, WM_SEARCH_PATH);
    const std::vector<std::string> firstPaths(paths.begin(), paths.begin() + 5);
    EXPECT_EQ(firstPaths, (std::vector<std::string>{
                              "C:\\WINNT\\Temporary Internet Files", "C:\\Temporary Internet Files",
                              "C:\\Temporary Internet Files\\Content.IE5", "C:\\Users\\me\\Cache",
                              "C:\\WINNT\\PROFILES\\default user\\Temporary Internet Files"}));
    const auto listed = Listed();
    for (const char* pFile :
         {"C:\\WINNT\\Temporary Internet Files\\a.htm", "C:\\Temporary Internet Files\\b.gif",
          "C:\\Temporary Internet Files\\Content.IE5\\p.htm", "C:\\Users\\me\\Cache\\c.js",
          "C:\\WINNT\\PROFILES\\default user\\Temporary Internet Files\\d.css"})
        EXPECT_EQ(listed.count(pFile) ? listed.at(pFile) : 0, REASON_DIRECTED) << pFile;
    EXPECT_EQ(listed.size(), 5u);

    // The store is back on the program's own key.
    EXPECT_EQ(m_store.GetBaseKey(), ComposeBaseKeyPath());
}

TEST_F(CacheTest, WithoutCacheValueTheDefaultUserFolderIsNotWalked)
{
    m_doc.IE = 1;
    const auto paths = Paths(RunSearch(), WM_SEARCH_PATH);
    EXPECT_EQ(paths, (std::vector<std::string>{"C:\\WINNT\\Temporary Internet Files",
                                               "C:\\Temporary Internet Files", "C:"}));
}

// A cache folder value that stands for the whole drive is not walked: its
// files would all be Directed and its index file deleted at once.
TEST_F(CacheTest, ACacheValueThatNamesTheDriveRootIsNotWalked)
{
    m_sandbox.Build({"C:\\thesis.odt", "C:\\index.dat", "C:\\etc\\index.dat"});
    for (const char* pValue : {"C:\\.\\", "C:\\etc\\..", "C:\\"})
    {
        SetCacheValue(pValue);
        m_doc.IE = 1;
        RunSearch();
        EXPECT_TRUE(Listed().empty()) << pValue;
        EXPECT_TRUE(m_sandbox.Exists("C:\\index.dat")) << pValue;
        EXPECT_TRUE(m_sandbox.Exists("C:\\etc\\index.dat")) << pValue;
    }
}

TEST_F(CacheTest, WithIEOffNothingIsTouched)
{
    m_sandbox.Build({"C:\\Temporary Internet Files\\index.dat",
                     "C:\\Temporary Internet Files\\Sub\\index.dat"});
    m_urlCache.Add("http://x/p.htm", "C:\\Temporary Internet Files\\Sub\\p.htm");
    m_doc.IE = 0;
    m_doc.IEURL = 1;
    RunSearch();
    EXPECT_FALSE(m_urlCache.IsDeleted("http://x/p.htm"));
    EXPECT_EQ(m_urlCache.m_nFindFirstCalls, 0);
    EXPECT_TRUE(m_sandbox.Exists("C:\\Temporary Internet Files\\index.dat"));
    EXPECT_TRUE(m_sandbox.Exists("C:\\Temporary Internet Files\\Sub\\index.dat"));
}

TEST_F(CacheTest, CacheFolderLookupNeverInterleavesWithAnotherThread)
{
    SetCacheValue("C:\\Cache");
    std::atomic<bool> bStop{false};
    std::atomic<int> nLookups{0};
    std::atomic<int> nForeignMisreads{0};
    std::thread searcher(
        [&]
        {
            while (!bStop.load())
            {
                std::string strFolder;
                if (!ReadUserCacheFolder(m_store, strFolder) || strFolder != "C:\\Cache")
                    ++nForeignMisreads;
                ++nLookups;
            }
        });
    while (nLookups.load() == 0)
        std::this_thread::yield();
    // The window thread's own reads and writes meanwhile, each of which must
    // land on the program's key.
    int nMisreads = 0;
    for (int i = 0; i < 300; ++i)
    {
        m_store.SetInt("Settings", "Counter", i);
        if (m_store.GetInt("Settings", "Counter", -1) != i)
            ++nMisreads;
    }
    bStop = true;
    searcher.join();
    EXPECT_EQ(nMisreads, 0);
    EXPECT_EQ(nForeignMisreads.load(), 0);
    EXPECT_EQ(m_platform.pRegistry->OpenKey(ERegistryHive::CurrentUser,
                                            std::string(EXPLORER_KEY) + "\\Settings"),
              nullptr);
    EXPECT_EQ(m_store.GetBaseKey(), ComposeBaseKeyPath());
}

// A list-only sweep deletes nothing and lists the entries the passes delete,
// recording the same path: the passes and the listing see the same cache.
TEST_F(CacheTest, ListOnlySweepListsWhatThePassesDeleteAndDeletesNothing)
{
    CFakeUrlCache swept;
    for (CFakeUrlCache* pCache : {&swept, &m_urlCache})
    {
        pCache->Add("http://a/1", "", 10);
        pCache->Add("http://a/2", "", 10);
        // Larger than its predecessor: the first entry of the second pass.
        pCache->Add("http://a/big", "C:\\WINDOWS\\Temporary Internet Files\\X\\big.htm", 40);
        pCache->Add("http://a/3", "C:\\elsewhere\\3.htm", 0);
        pCache->Add("http://huge", "", 1000); // stops every pass that reaches it
        pCache->Add("http://after");
    }
    auto sweptContext = CSearchContext{m_doc, m_port, m_prompt, m_clock, swept};
    const std::string strSweptPath = SweepUrlCache(sweptContext);

    CListedDeletions listed;
    auto context = CSearchContext{m_doc, m_port, m_prompt, m_clock, m_urlCache, &listed};
    EXPECT_EQ(SweepUrlCache(context), strSweptPath);
    EXPECT_EQ(strSweptPath, "C:\\WINDOWS\\Temporary Internet Files\\X\\big.htm");

    std::vector<SListedDeletion> deletions;
    listed.Take(deletions);
    std::vector<std::string> urls;
    for (const SListedDeletion& deletion : deletions)
    {
        EXPECT_EQ(deletion.kind, EDeletionKind::UrlCacheEntry);
        urls.push_back(deletion.strItem);
    }
    EXPECT_EQ(urls,
              (std::vector<std::string>{"http://a/1", "http://a/2", "http://a/big", "http://a/3"}));
    for (const std::string& strUrl : urls)
    {
        EXPECT_TRUE(swept.IsDeleted(strUrl)) << strUrl;
        EXPECT_FALSE(m_urlCache.IsDeleted(strUrl)) << strUrl;
    }
    EXPECT_FALSE(swept.IsDeleted("http://huge"));
}

// The whole cache phase of a list-only search: the same rows as the window's
// search, every index file and cache entry left, and each one the window's
// search deletes named once, in the order the search meets it.
TEST_F(CacheTest, ListOnlyCachePhaseNamesEveryDeletionAndDoesNone)
{
    const std::vector<std::string> indexes = {
        "C:\\Temporary Internet Files\\Content.IE5\\index.dat",
        "C:\\WINNT\\Temporary Internet Files\\index.dat",
        "C:\\Temporary Internet Files\\index.dat",
        "C:\\Users\\me\\Cache\\index.dat",
        "C:\\WINNT\\PROFILES\\default user\\Temporary Internet Files\\index.dat",
    };
    std::vector<std::string> tree = indexes;
    for (const char* pFile :
         {"C:\\WINNT\\Temporary Internet Files\\a.htm",
          "C:\\Temporary Internet Files\\Content.IE5\\p.htm", "C:\\Users\\me\\Cache\\c.js"})
        tree.push_back(pFile);
    m_sandbox.Build(tree);
    SetCacheValue("C:\\Users\\me\\Cache\\");
    m_urlCache.Add("http://x/p.htm", "C:\\Temporary Internet Files\\Content.IE5\\p.htm");
    m_urlCache.Add("http://x/q.htm");
    m_doc.IE = 1;

    std::vector<SListedDeletion> deletions;
    std::vector<std::string> rows;
    CHeadlessWindow window(m_doc);
    window.ListOnly([&](const SListedDeletion& deletion) { deletions.push_back(deletion); });
    window.RunSearch("C:", m_prompt, m_clock, m_urlCache,
                     [&](const SCandidateRow& row) { rows.push_back(row.strPath); });

    std::vector<std::string> named;
    for (const SListedDeletion& deletion : deletions)
        named.push_back(deletion.strItem);
    std::vector<std::string> expected = {"http://x/p.htm", "http://x/q.htm"};
    expected.insert(expected.end(), indexes.begin(), indexes.end());
    EXPECT_EQ(named, expected);
    EXPECT_EQ(deletions[0].kind, EDeletionKind::UrlCacheEntry);
    EXPECT_EQ(deletions[2].kind, EDeletionKind::IndexFile);
    for (const std::string& strIndex : indexes)
        EXPECT_TRUE(m_sandbox.Exists(strIndex)) << strIndex;
    EXPECT_FALSE(m_urlCache.IsDeleted("http://x/p.htm"));
    EXPECT_FALSE(m_urlCache.IsDeleted("http://x/q.htm"));
    EXPECT_EQ(rows.size(), 3u);

    // The window's search over the same drive lists the same rows and deletes
    // exactly what was named.
    RunSearch();
    EXPECT_EQ(Listed().size(), rows.size());
    for (const std::string& strIndex : indexes)
        EXPECT_FALSE(m_sandbox.Exists(strIndex)) << strIndex;
    EXPECT_TRUE(m_urlCache.IsDeleted("http://x/p.htm"));
    EXPECT_TRUE(m_urlCache.IsDeleted("http://x/q.htm"));
}
