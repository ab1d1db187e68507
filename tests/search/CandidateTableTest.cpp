#include "SearchTestSupport.h"
#include "search/CCandidateTable.h"

namespace
{
struct SSizeCase
{
    double dSize;
    int32_t nReason;
    const char* pText;
};
const SSizeCase SIZE_CASES[] = {
    {1000, REASON_EXTENSION, "1000"},  {1001, REASON_EXTENSION, "1K"},
    {999999, REASON_DIRECTED, "999K"}, {5000000, REASON_EXTENSION, "5000K"},
    {0, REASON_DIRECTED, "0"},         {12345, REASON_ZERO_LENGTH, "0"},
    {999.9, REASON_EXTENSION, "999"},  {4294967296.0, REASON_DIRECTED, "4294967K"},
};
} // namespace

TEST(CandidateTableTest, SizeAndTotalTexts)
{
    for (const SSizeCase& sizeCase : SIZE_CASES)
        EXPECT_EQ(CCandidateTable::SizeText(sizeCase.dSize, sizeCase.nReason), sizeCase.pText)
            << sizeCase.dSize;
    EXPECT_EQ(CCandidateTable::TotalText(1999), "1K bytes");
    EXPECT_EQ(CCandidateTable::TotalText(999), "0K bytes");
    EXPECT_STREQ(CCandidateTable::ReasonWord(REASON_EXTENSION), "Extension");
    EXPECT_STREQ(CCandidateTable::ReasonWord(REASON_ZERO_LENGTH), "Zero Length");
    EXPECT_STREQ(CCandidateTable::ReasonWord(REASON_DIRECTED), "Directed");
    EXPECT_STREQ(CCandidateTable::ReasonWord(7), "");
}

TEST_F(CSearchTest, TableDedupesExactPathsAndAlwaysAcknowledges)
{
    CCandidateTable table;
    struct SReport
    {
        const char* pPath;
        int32_t nReason;
        double dSize;
        bool bAdded;
    };
    const SReport reports[] = {
        {"C:\\a.tmp", REASON_DIRECTED, 1500, true},
        {"C:\\a.tmp", REASON_EXTENSION, 1500, false},
        {"C:\\A.TMP", REASON_EXTENSION, 499, true},
        {"C:\\e", REASON_ZERO_LENGTH, 0, true},
        {"C:\\odd", 9, 1, true},
    };
    for (const SReport& report : reports)
    {
        m_doc.CandidateAck.store(0);
        m_doc.CandidatePath = report.pPath;
        m_doc.CandidateReason = report.nReason;
        m_doc.CandidateSize = report.dSize;
        EXPECT_EQ(table.AddCandidateRow(m_doc), report.bAdded) << report.pPath;
        EXPECT_EQ(m_doc.CandidateAck.load(), 1);
    }
    ASSERT_EQ(table.GetRowCount(), 4);
    EXPECT_EQ(table.Rows()[0].nReason, REASON_DIRECTED); // the first report wins
    EXPECT_EQ(m_doc.DirectedCount, 1);
    EXPECT_EQ(m_doc.ExtenCount, 1);
    EXPECT_EQ(m_doc.ZeroCount, 1);
    EXPECT_EQ(m_doc.TotalSize, 1500 + 499 + 1);
    EXPECT_TRUE(table.Rows()[3].bChecked);

    table.SetChecked(1, false);
    EXPECT_FALSE(table.Rows()[1].bChecked);
    table.DeleteRow(0);
    table.DeleteRow(17);
    EXPECT_EQ(table.Rows()[0].strPath, "C:\\A.TMP");
    table.Clear();
    m_doc.CandidatePath = "C:\\a.tmp";
    EXPECT_TRUE(table.AddCandidateRow(m_doc)); // listed paths went with the rows
}

// Many rows, short paths kept inside their strings and long ones outside,
// across several storage blocks and set growths, with removals in between:
// every row still reads its own path, every path is still known as listed
// (deleted rows' included, until Clear), and a path differing in one byte or
// in letter case is new.
TEST_F(CSearchTest, ListedPathsSurviveGrowthAndRemovals)
{
    CCandidateTable table;
    auto report = [&](const std::string& strPath)
    {
        m_doc.CandidatePath = strPath;
        m_doc.CandidateReason = REASON_EXTENSION;
        m_doc.CandidateSize = 1;
        return table.AddCandidateRow(m_doc);
    };
    auto pathOf = [](int n)
    {
        return n % 3 == 0 ? "C:\\" + std::to_string(n)
                          : "C:\\long\\folder\\name\\" + std::to_string(n) + ".tmp";
    };
    const int nRows = 10000;
    for (int n = 0; n < nRows; ++n)
        ASSERT_TRUE(report(pathOf(n))) << n;
    for (int nRow = nRows - 1; nRow >= 0; nRow -= 7)
        table.DeleteRow(nRow);
    std::vector<int> kept;
    for (int n = 0; n < nRows; ++n)
        if ((nRows - 1 - n) % 7 != 0)
            kept.push_back(n);
    ASSERT_EQ(table.GetRowCount(), static_cast<int>(kept.size()));
    size_t nIndex = 0;
    for (const SCandidateRow& row : table.Rows())
        EXPECT_EQ(row.strPath, pathOf(kept[nIndex++]));
    for (int n = 0; n < nRows; n += 13)
        EXPECT_FALSE(report(pathOf(n))) << n; // deleted ones too
    EXPECT_TRUE(report("C:\\long\\folder\\name\\1.tmq"));
    EXPECT_TRUE(report("C:\\LONG\\folder\\name\\1.tmp"));
    EXPECT_TRUE(report(""));
    EXPECT_FALSE(report(""));
    EXPECT_EQ(table.GetRowCount(), static_cast<int>(kept.size()) + 3);
    EXPECT_EQ(table.Rows().back().strPath, "");

    table.Clear();
    EXPECT_EQ(table.GetRowCount(), 0);
    EXPECT_TRUE(table.Rows().empty());
    for (int n = 0; n < nRows; n += 1000)
        EXPECT_TRUE(report(pathOf(n))) << n;
}
