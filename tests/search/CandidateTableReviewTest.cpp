// Sorting the candidate table and its running checked counters: the order
// the list shows is the table's own, so the disposal walks it too.
#include "SearchTestSupport.h"
#include "search/CCandidateTable.h"
#include "search/ICandidateTableObserver.h"

#include <string>
#include <vector>

namespace
{
class CReorderObserver : public ICandidateTableObserver
{
public:
    void OnRowsAboutToReset() override {}
    void OnRowsReset() override {}
    void OnRowsAboutToInsert(int, int) override {}
    void OnRowsInserted(int, int) override {}
    void OnRowsAboutToRemove(int, int) override {}
    void OnRowsRemoved(int, int) override {}
    void OnRowsAboutToReorder() override { m_notes.push_back("about to reorder"); }
    void OnRowsReordered() override { m_notes.push_back("reordered"); }
    std::vector<std::string> m_notes;
};
} // namespace

class CandidateTableReviewTest : public CSearchTest
{
protected:
    void Report(const std::string& strPath, double dSize, int32_t nReason = REASON_EXTENSION,
                int64_t nModified = UNKNOWN_UNIX_TIME)
    {
        m_doc.CandidateAck.store(0);
        m_doc.CandidatePath = strPath;
        m_doc.CandidateReason = nReason;
        m_doc.CandidateSize = dSize;
        m_doc.CandidateModified = nModified;
        ASSERT_TRUE(m_table.AddCandidateRow(m_doc)) << strPath;
    }

    std::vector<std::string> Order() const
    {
        std::vector<std::string> paths;
        for (const SCandidateRow& row : m_table.Rows())
            paths.push_back(row.strPath);
        return paths;
    }

    CCandidateTable m_table;
};

using Rows = std::vector<std::string>;

// Sizes order by their byte count, never as text ("1K" is not below "999"),
// both ways; text columns order as text, letter case aside.
TEST_F(CandidateTableReviewTest, SortsEachColumnBothWays)
{
    Report("C:\\d\\b.tmp", 5000000);
    Report("C:\\a.tmp", 1001, REASON_DIRECTED);
    Report("C:\\C.tmp", 999);
    Report("C:\\e.tmp", 1000, REASON_DIRECTED);
    Report("C:\\zero.tmp", 0, REASON_ZERO_LENGTH);

    m_table.Sort(ESortColumn::Size, false);
    EXPECT_EQ(Order(),
              (Rows{"C:\\zero.tmp", "C:\\C.tmp", "C:\\e.tmp", "C:\\a.tmp", "C:\\d\\b.tmp"}));
    m_table.Sort(ESortColumn::Size, true);
    EXPECT_EQ(Order(),
              (Rows{"C:\\d\\b.tmp", "C:\\a.tmp", "C:\\e.tmp", "C:\\C.tmp", "C:\\zero.tmp"}));

    m_table.Sort(ESortColumn::Path, false);
    EXPECT_EQ(Order(),
              (Rows{"C:\\a.tmp", "C:\\C.tmp", "C:\\d\\b.tmp", "C:\\e.tmp", "C:\\zero.tmp"}));
    m_table.Sort(ESortColumn::Path, true);
    EXPECT_EQ(Order(),
              (Rows{"C:\\zero.tmp", "C:\\e.tmp", "C:\\d\\b.tmp", "C:\\C.tmp", "C:\\a.tmp"}));

    // Directed < Extension < Zero Length as words; ties keep the order before.
    m_table.Sort(ESortColumn::Path, false);
    m_table.Sort(ESortColumn::Reason, false);
    EXPECT_EQ(Order(),
              (Rows{"C:\\a.tmp", "C:\\e.tmp", "C:\\C.tmp", "C:\\d\\b.tmp", "C:\\zero.tmp"}));
}

// Modification times order as times (not as the text, which sorts alike
// only within one time zone), an unknown time first; ties keep their order.
TEST_F(CandidateTableReviewTest, SortsByModificationTimeBothWays)
{
    Report("C:\\new.tmp", 1, REASON_EXTENSION, 1800000000);
    Report("C:\\old.tmp", 1, REASON_EXTENSION, 900000000);
    Report("C:\\unknown.tmp", 1);
    Report("C:\\tie.tmp", 1, REASON_DIRECTED, 900000000);
    Report("C:\\pre1970.tmp", 1, REASON_EXTENSION, -86400);

    m_table.Sort(ESortColumn::Modified, false);
    EXPECT_EQ(Order(), (Rows{"C:\\unknown.tmp", "C:\\pre1970.tmp", "C:\\old.tmp", "C:\\tie.tmp",
                             "C:\\new.tmp"}));
    EXPECT_EQ(m_table.Rows()[2].nModified, 900000000);
    m_table.Sort(ESortColumn::Modified, true);
    EXPECT_EQ(Order(), (Rows{"C:\\new.tmp", "C:\\old.tmp", "C:\\tie.tmp", "C:\\pre1970.tmp",
                             "C:\\unknown.tmp"}));
}

// A sort is told as one reorder, keeps each row (its check box too) and is
// the order the disposal reads: row indexes follow the sorted order.
TEST_F(CandidateTableReviewTest, SortIsAReorderOfTheSameRows)
{
    CReorderObserver observer;
    m_table.SetObserver(&observer);
    Report("C:\\big", 3000);
    Report("C:\\small", 10);
    m_table.SetChecked(0, false);
    m_table.Sort(ESortColumn::Size, false);
    EXPECT_EQ(observer.m_notes, (std::vector<std::string>{"about to reorder", "reordered"}));
    EXPECT_EQ(Order(), (Rows{"C:\\small", "C:\\big"}));
    EXPECT_TRUE(m_table.Rows()[0].bChecked);
    EXPECT_FALSE(m_table.Rows()[1].bChecked);
    m_table.DeleteRow(m_table.GetRowCount() - 1); // the bottom row, as the disposal starts
    EXPECT_EQ(Order(), Rows{"C:\\small"});
    m_table.SetObserver(nullptr);
}

// The counters follow every change without a re-count: adding, ticking,
// the bulk operations, removing and clearing; zero-length rows add no bytes.
TEST_F(CandidateTableReviewTest, CheckedCountersFollowEveryChange)
{
    Report("C:\\a", 1500);
    Report("C:\\b", 2500);
    Report("C:\\z", 0, REASON_ZERO_LENGTH);
    EXPECT_EQ(m_table.GetCheckedCount(), 3);
    EXPECT_EQ(m_table.GetCheckedBytes(), 4000);
    EXPECT_EQ(m_table.CheckedText(), "3 checked, 4K bytes");

    m_table.SetChecked(1, false);
    m_table.SetChecked(1, false); // no change, no double count
    EXPECT_EQ(m_table.CheckedText(), "2 checked, 1K bytes");
    m_table.InvertChecks();
    EXPECT_EQ(m_table.CheckedText(), "1 checked, 2K bytes");
    m_table.SetAllChecked(false);
    EXPECT_EQ(m_table.CheckedText(), "0 checked, 0K bytes");
    m_table.SetAllChecked(true);
    EXPECT_EQ(m_table.CheckedText(), "3 checked, 4K bytes");
    m_table.SetChecked(0, false);
    m_table.DeleteRow(0); // unchecked: the counters stay
    EXPECT_EQ(m_table.CheckedText(), "2 checked, 2K bytes");
    m_table.DeleteRow(0); // checked: its bytes go with it
    EXPECT_EQ(m_table.CheckedText(), "1 checked, 0K bytes");
    m_table.Clear();
    EXPECT_EQ(m_table.GetCheckedCount(), 0);
    EXPECT_EQ(m_table.GetCheckedBytes(), 0);
}

// Letter case, shared prefixes, a path that starts another, equal sizes and
// reasons: each sort keeps rows that compare equal in the order they had,
// both ways, as a stable sort by the column's own comparison does.
TEST_F(CandidateTableReviewTest, TiesKeepTheirOrderInEveryColumnBothWays)
{
    const Rows names{"C:\\Dir\\a.tmp", "C:\\dir\\A.tmp",  "C:\\dir\\a.tmp", "C:\\DIR\\a.tmp",
                     "C:\\dir\\a.tm",  "C:\\dir\\a.tmpx", "C:\\dir\\_.tmp", "C:\\dir\\[.tmp"};
    const double sizes[] = {10, 20, 10, 0, 20, 10, 5, 5};
    const int32_t reasons[] = {REASON_EXTENSION,   REASON_DIRECTED,   REASON_EXTENSION,
                               REASON_ZERO_LENGTH, REASON_EXTENSION,  REASON_DIRECTED,
                               REASON_EXTENSION,   REASON_ZERO_LENGTH};
    for (size_t i = 0; i < names.size(); ++i)
        Report(names[i], sizes[i], reasons[i]);

    // "[" (0x5B) and "_" (0x5F) sort before the letters' folded form; a path
    // that starts another comes first; case aside equal paths go by bytes.
    m_table.Sort(ESortColumn::Path, false);
    const Rows byPath{"C:\\dir\\[.tmp", "C:\\dir\\_.tmp", "C:\\dir\\a.tm",  "C:\\DIR\\a.tmp",
                      "C:\\Dir\\a.tmp", "C:\\dir\\A.tmp", "C:\\dir\\a.tmp", "C:\\dir\\a.tmpx"};
    EXPECT_EQ(Order(), byPath);
    m_table.Sort(ESortColumn::Path, true);
    EXPECT_EQ(Order(), Rows(byPath.rbegin(), byPath.rend()));

    // From the path order: equal sizes and reasons keep it, both ways.
    m_table.Sort(ESortColumn::Path, false);
    m_table.Sort(ESortColumn::Size, false);
    EXPECT_EQ(Order(),
              (Rows{"C:\\DIR\\a.tmp", "C:\\dir\\[.tmp", "C:\\dir\\_.tmp", "C:\\Dir\\a.tmp",
                    "C:\\dir\\a.tmp", "C:\\dir\\a.tmpx", "C:\\dir\\a.tm", "C:\\dir\\A.tmp"}));
    m_table.Sort(ESortColumn::Path, false);
    m_table.Sort(ESortColumn::Size, true);
    EXPECT_EQ(Order(),
              (Rows{"C:\\dir\\a.tm", "C:\\dir\\A.tmp", "C:\\Dir\\a.tmp", "C:\\dir\\a.tmp",
                    "C:\\dir\\a.tmpx", "C:\\dir\\[.tmp", "C:\\dir\\_.tmp", "C:\\DIR\\a.tmp"}));
    m_table.Sort(ESortColumn::Path, false);
    m_table.Sort(ESortColumn::Reason, true);
    EXPECT_EQ(Order(),
              (Rows{"C:\\dir\\[.tmp", "C:\\DIR\\a.tmp", "C:\\dir\\_.tmp", "C:\\dir\\a.tm",
                    "C:\\Dir\\a.tmp", "C:\\dir\\a.tmp", "C:\\dir\\A.tmp", "C:\\dir\\a.tmpx"}));
}
