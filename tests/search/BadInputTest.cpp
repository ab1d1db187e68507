#include "SearchTestSupport.h"

TEST_F(CSearchTest, AFileInTheFoldersListYieldsItsPathOnly)
{
    m_sandbox.Build({"C:\\plain.doc", "C:\\ok.tmp"});
    m_doc.Lists[LIST_FOLDER] = {"C:\\plain.doc"};
    const auto seen = RunSearch();
    EXPECT_EQ(Paths(seen, WM_SEARCH_PATH), (std::vector<std::string>{"C:\\plain.doc", "C:"}));
    const std::map<std::string, int32_t> expected = {{"C:\\ok.tmp", REASON_EXTENSION}};
    EXPECT_EQ(Listed(), expected);
    EXPECT_EQ(seen.back().nMessage, WM_SEARCH_DONE);
}

TEST_F(CSearchTest, FileVanishingBeforeClassificationIsJudgedFromTheListing)
{
    m_doc.Zero = 1;
    for (int i = 0; i < 10; ++i)
    {
        m_sandbox.MakeFile("C:\\v" + std::to_string(i) + ".tmp", "");
        m_sandbox.MakeFile("C:\\e" + std::to_string(i), "");
    }
    bool bListingHasSizes = false;
    {
        auto pListing = m_platform.pFileSystem->OpenListing("C:");
        SFindEntry entry;
        while (pListing && pListing->Next(entry))
            if (entry.strName == "e0")
                bListingHasSizes = entry.bDetailsKnown;
    }
    bool bRemoved = false;
    RunSearch(
        [&](const SSeenMessage& item)
        {
            // While the window holds the first report, every other file goes.
            if (item.nMessage != WM_ADD_CANDIDATE || bRemoved)
                return;
            bRemoved = true;
            for (const auto& entry : std::filesystem::directory_iterator(m_sandbox.DriveFolder()))
                if (entry.path().filename() != item.strPath.substr(3))
                    std::filesystem::remove(entry.path());
        });
    // Extension candidates still come from the names the listing gave. A
    // file whose length can no longer be known is not called empty; where
    // the listing itself carries sizes (Windows), its length is known and it
    // is. The file after the first was already sized while the window held
    // the first.
    size_t nExtensionRows = 0;
    for (size_t i = 0; i < m_rows.size(); ++i)
    {
        const SCandidateRow& row = m_rows[i];
        if (row.strPath.find(".tmp") != std::string::npos)
        {
            EXPECT_EQ(row.nReason, REASON_EXTENSION) << row.strPath;
            ++nExtensionRows;
        }
        else
        {
            EXPECT_EQ(row.nReason, REASON_ZERO_LENGTH) << row.strPath;
            if (i >= 2)
            {
                EXPECT_TRUE(bListingHasSizes) << row.strPath << " was called empty unseen";
            }
        }
    }
    EXPECT_TRUE(bRemoved);
    EXPECT_EQ(nExtensionRows, 10u);
    if (bListingHasSizes)
        EXPECT_EQ(m_rows.size(), 20u);
    else
        EXPECT_LE(m_rows.size(), 12u);
}
