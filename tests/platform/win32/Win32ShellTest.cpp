#include "Win32TestFixture.h"
#include "WineHost.h"

TEST_F(Win32Test, RecycleBinRefusesPathsBeyondItsBuffer)
{
    // The drive folder's own length counts: the shell sees the host path.
    const size_t nHostRoot = m_sandbox.DriveFolder().string().size();
    const std::string strName(260 - nHostRoot, 'n');
    const std::string strLong = "C:\\" + strName.substr(0, strName.size() - 1);
    m_sandbox.MakeFile(strLong, "long");
    EXPECT_FALSE(m_platform.pShell->MoveToTrash(strLong, {}));
    EXPECT_TRUE(m_sandbox.Exists(strLong));
}

TEST_F(Win32Test, RecycleBinReportsOnlyAFileThatLeftItsFolder)
{
    m_sandbox.MakeFile("C:\\old.bak", "undo me");
    const SFileIdentity identity = IdentityOf("C:\\old.bak");
    SFileIdentity other = identity;
    other.nIndex ^= 1;
    EXPECT_FALSE(m_platform.pShell->MoveToTrash("C:\\old.bak", other));
    EXPECT_TRUE(m_sandbox.Exists("C:\\old.bak"));

    const bool bMoved = m_platform.pShell->MoveToTrash("C:\\old.bak", identity);
    // Wine's shell answers success and leaves the file where it was; the
    // backend must then report failure, never a move that did not happen.
    EXPECT_EQ(bMoved, !m_sandbox.Exists("C:\\old.bak"));
    if (!IsRunningUnderWine())
    {
        EXPECT_TRUE(bMoved);
    }
}

TEST_F(Win32Test, UrlCacheReportsTheSizeItNeeds)
{
    alignas(8) char record[1000];
    uint32_t nSize = 8;
    auto pEnumeration = m_platform.pUrlCache->FindFirst(record, nSize);
    // An empty cache (a fresh Wine prefix) also ends here, with no size.
    if (pEnumeration == nullptr && nSize != 8)
    {
        EXPECT_GT(nSize, 8u);
    }
    nSize = sizeof(record);
    pEnumeration = m_platform.pUrlCache->FindFirst(record, nSize);
    if (pEnumeration != nullptr)
    {
        EXPECT_FALSE(m_platform.pUrlCache->ReadRecord(record).strSourceUrl.empty());
    }
}
