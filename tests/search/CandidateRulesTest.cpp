#include "CandidateFileCases.h"
#include "platform/CopyTemporaryName.h"

TEST_P(CandidateRulesTest, ClassifiesEveryName)
{
    // The rules read only what a listing gives; no file is needed.
    CMessageQueue port;
    CSearchContext context{m_doc, port, m_prompt, m_clock, m_urlCache};
    for (const SFileCase& fileCase : FILE_CASES)
    {
        SFindEntry entry;
        entry.strName = fileCase.pName;
        entry.nAttributes = FILE_ATTR_ARCHIVE;
        entry.nSizeLow = static_cast<uint32_t>(fileCase.nLength);
        entry.bDetailsKnown = true;
        m_doc.CandidateAck.store(1);
        ClassifyFile(context, "C:", entry, 0, nullptr);

        int32_t nReason = REASON_NONE;
        SPostedMessage message;
        if (port.TryGetMessage(message))
        {
            EXPECT_EQ(message.nMessage, WM_ADD_CANDIDATE) << fileCase.pName;
            EXPECT_EQ(m_doc.CandidatePath, std::string("C:\\") + fileCase.pName);
            EXPECT_EQ(m_doc.CandidateSize, static_cast<double>(fileCase.nLength)) << fileCase.pName;
            nReason = m_doc.CandidateReason;
        }
        EXPECT_EQ(nReason, Expected(fileCase)) << fileCase.pName;
        EXPECT_FALSE(port.TryGetMessage(message)) << fileCase.pName;
    }
}

TEST_P(CandidateRulesTest, ClassifiesEveryFileOfTheWalk)
{
    ExpectWalkClassifies([](const SFileCase& fileCase) { return !EndsWithDot(fileCase); });
}

INSTANTIATE_TEST_SUITE_P(ZeroOffAndOn, CandidateRulesTest, ::testing::Values(0, 1));

namespace
{
struct SExcludeCase
{
    const char* pEntry;
    int32_t nExcludeCase;
    const char* pName;
    bool bAllowed;
};

const SExcludeCase EXCLUDE_CASES[] = {
    {"install.log", 1, "INSTALL.LOG", false},
    {"install.log", 1, "Install.Log", false},
    {"install.log", 0, "install.log", false},
    {"install.log", 0, "Install.Log", true},
    {"*.log", 0, "a.log", false},
    {"*.log", 0, "a.LOG", true},
    {"*.log", 1, "a.LOG", false},
    {"*.LOG", 1, "a.log", false},
    {"*.log", 1, "log", true},
    {"*.log", 1, "a.log.bak", true},
    {"*.gz", 1, "a.tar.gz", false},
    {"*.tar.gz", 1, "a.tar.gz", true},
    {"*.", 1, "x.", false}, // an empty extension matches an empty entry extension
    {"*.", 1, "x", true},
    {"readme", 1, "README", false},
    {"*.txt", 1, "desktop.ini", false}, // protected whatever the list says
    {"", 1, "Index.Dat", false},
};
} // namespace

TEST_F(CSearchTest, ExcludesInBothCaseModesAndWildcardForms)
{
    for (const SExcludeCase& excludeCase : EXCLUDE_CASES)
    {
        m_doc.Lists[LIST_EXCLUDE] = {excludeCase.pEntry};
        m_doc.ExcludeCase = excludeCase.nExcludeCase;
        EXPECT_EQ(IsNameAllowed(m_doc, excludeCase.pName), excludeCase.bAllowed)
            << excludeCase.pEntry << " / " << excludeCase.nExcludeCase << " / "
            << excludeCase.pName;
    }
}

TEST_F(CSearchTest, ExcludesAndProtectedNamesWinInEveryRoute)
{
    m_doc.Lists[LIST_EXCLUDE] = {"keep.doc", "*.KEEP"};
    m_doc.Lists[LIST_FILE] = {"C:\\old\\keep.doc", "C:\\desktop.ini", "C:\\old\\INDEX.DAT",
                              "C:\\old\\go.doc"};
    m_doc.Lists[LIST_FOLDER] = {"C:\\Junk"};
    m_sandbox.Build({"C:\\old\\keep.doc", "C:\\desktop.ini", "C:\\old\\INDEX.DAT",
                     "C:\\old\\go.doc", "C:\\Junk\\Keep.Doc", "C:\\Junk\\a.keep",
                     "C:\\Junk\\Desktop.ini", "C:\\Junk\\index.dat", "C:\\Junk\\other"});
    RunSearch();
    const std::map<std::string, int32_t> expected = {{"C:\\old\\go.doc", REASON_DIRECTED},
                                                     {"C:\\Junk\\other", REASON_DIRECTED}};
    EXPECT_EQ(Listed(), expected);
}

TEST_F(CSearchTest, TheProgramsCopyTemporariesAreNeverListed)
{
    m_doc.Zero = 1;
    m_doc.Lists[LIST_FOLDER] = {"C:\\Junk"};
    const std::string strTemporary = CopyTemporaryName(4242, 0x0123456789abcdefull);
    m_sandbox.MakeFile("C:\\Bak\\" + strTemporary, "");
    m_sandbox.MakeFile("C:\\Junk\\" + strTemporary, "part");
    m_sandbox.MakeFile("C:\\Bak\\empty.doc", "");
    // Names that only look alike are files like any other (in a folder of
    // their own: Windows names differing in letter case only are one file).
    m_sandbox.MakeFile("C:\\Near\\.scrubix-copy.4242.0123", "");
    m_sandbox.MakeFile("C:\\Near\\.scrubix-copy.4242.0123456789ABCDEF", "");
    RunSearch();
    const std::map<std::string, int32_t> expected = {
        {"C:\\Bak\\empty.doc", REASON_ZERO_LENGTH},
        {"C:\\Near\\.scrubix-copy.4242.0123", REASON_ZERO_LENGTH},
        {"C:\\Near\\.scrubix-copy.4242.0123456789ABCDEF", REASON_ZERO_LENGTH}};
    EXPECT_EQ(Listed(), expected);
}

TEST_F(CSearchTest, SizeCountsTheHighHalf)
{
    m_sandbox.MakeSparseFile("C:\\big.tmp", 4294967296ull);
    m_sandbox.MakeSparseFile("C:\\d\\big.doc", 4294967297ull);
    m_doc.Lists[LIST_FILE] = {"C:\\d\\big.doc"};
    RunSearch();
    ASSERT_EQ(m_rows.size(), 2u);
    EXPECT_EQ(m_rows[0].strPath, "C:\\d\\big.doc");
    EXPECT_EQ(m_rows[0].dSize, 4294967297.0);
    EXPECT_EQ(m_rows[1].dSize, 4294967296.0);
    EXPECT_EQ(CCandidateTable::SizeText(m_rows[1].dSize, m_rows[1].nReason), "4294967K");
}

TEST_F(CSearchTest, RowKeepsTheIdentityTheListingSaw)
{
    m_sandbox.MakeFile("C:\\a.tmp");
    RunSearch();
    ASSERT_EQ(m_rows.size(), 1u);
    auto pListing = m_platform.pFileSystem->OpenListing("C:");
    SFindEntry entry;
    while (pListing->Next(entry) && entry.strName != "a.tmp")
    {
    }
    // Where the listing carries no identity (Windows), FillDetails reads it;
    // the search reads it for each candidate the same way.
    ASSERT_TRUE(pListing->FillDetails(entry));
    EXPECT_TRUE(m_rows[0].identity.bKnown);
    EXPECT_EQ(m_rows[0].identity, entry.identity);
}
