#include "SearchTestSupport.h"
#include "search/CCandidateTable.h"
#include "search/ICandidateTableObserver.h"

#include <string>
#include <vector>

namespace
{
// Writes down every notice with the table as the observer sees it then: the
// row count, and the paths of the rows the notice names where they can be
// read (inserted rows once in place, removed rows before they go).
class CRecordingObserver : public ICandidateTableObserver
{
public:
    explicit CRecordingObserver(const CCandidateTable& table) : m_table(table) {}

    void OnRowsAboutToReset() override { Note("about to reset", -1, -1, false); }
    void OnRowsReset() override { Note("reset", -1, -1, false); }
    void OnRowsAboutToInsert(int nFirst, int nLast) override
    {
        Note("about to insert", nFirst, nLast, false);
    }
    void OnRowsInserted(int nFirst, int nLast) override { Note("inserted", nFirst, nLast, true); }
    void OnRowsAboutToRemove(int nFirst, int nLast) override
    {
        Note("about to remove", nFirst, nLast, true);
    }
    void OnRowsRemoved(int nFirst, int nLast) override { Note("removed", nFirst, nLast, false); }
    void OnRowsAboutToReorder() override { Note("about to reorder", -1, -1, false); }
    void OnRowsReordered() override { Note("reordered", -1, -1, false); }

    std::vector<std::string> Take()
    {
        std::vector<std::string> notes;
        notes.swap(m_notes);
        return notes;
    }

private:
    void Note(const char* pWhat, int nFirst, int nLast, bool bReadRows)
    {
        std::string strNote = pWhat;
        if (nFirst >= 0)
            strNote += " " + std::to_string(nFirst) + ".." + std::to_string(nLast);
        strNote += " of " + std::to_string(m_table.GetRowCount());
        if (bReadRows)
        {
            for (int nRow = nFirst; nRow <= nLast; ++nRow)
            {
                if (nRow < 0 || nRow >= m_table.GetRowCount())
                    strNote += " <no row " + std::to_string(nRow) + ">";
                else
                    strNote += " " + m_table.Rows()[static_cast<size_t>(nRow)].strPath;
            }
        }
        m_notes.push_back(strNote);
    }

    const CCandidateTable& m_table;
    std::vector<std::string> m_notes;
};

using Notes = std::vector<std::string>;
} // namespace

class CandidateTableNoticesTest : public CSearchTest
{
protected:
    CandidateTableNoticesTest() : m_observer(m_table) { m_table.SetObserver(&m_observer); }

    bool Report(const char* pPath)
    {
        m_doc.CandidateAck.store(0);
        m_doc.CandidatePath = pPath;
        m_doc.CandidateReason = REASON_EXTENSION;
        m_doc.CandidateSize = 10;
        const bool bAdded = m_table.AddCandidateRow(m_doc);
        EXPECT_EQ(m_doc.CandidateAck.load(), 1) << pPath;
        return bAdded;
    }

    CCandidateTable m_table;
    CRecordingObserver m_observer;
};

// Each added row is announced at the end of the table, before and after; a
// path listed already adds no row and announces nothing.
TEST_F(CandidateTableNoticesTest, AddedRowsAreAnnouncedAtTheEnd)
{
    EXPECT_TRUE(Report("C:\\a.tmp"));
    EXPECT_TRUE(Report("C:\\b.tmp"));
    EXPECT_FALSE(Report("C:\\a.tmp"));
    EXPECT_TRUE(Report("C:\\A.TMP"));
    EXPECT_EQ(m_observer.Take(), (Notes{
                                     "about to insert 0..0 of 0",
                                     "inserted 0..0 of 1 C:\\a.tmp",
                                     "about to insert 1..1 of 1",
                                     "inserted 1..1 of 2 C:\\b.tmp",
                                     "about to insert 2..2 of 2",
                                     "inserted 2..2 of 3 C:\\A.TMP",
                                 }));
}

// A removal names the row while it can still be read, then the table has
// moved the later rows up; the disposing thread's pattern (last row first,
// unchecked rows too) and removals from the front and middle alike.
TEST_F(CandidateTableNoticesTest, RemovedRowsAreAnnouncedWithTheirIndexes)
{
    for (const char* pPath : {"C:\\0", "C:\\1", "C:\\2", "C:\\3", "C:\\4"})
        ASSERT_TRUE(Report(pPath));
    m_observer.Take();
    m_table.SetChecked(3, false);

    m_table.DeleteRow(4);
    m_table.DeleteRow(3);
    m_table.DeleteRow(0);
    m_table.DeleteRow(1);
    m_table.DeleteRow(-1); // out of range: nothing happens, nothing is told
    m_table.DeleteRow(2);
    EXPECT_EQ(m_observer.Take(), (Notes{
                                     "about to remove 4..4 of 5 C:\\4",
                                     "removed 4..4 of 4",
                                     "about to remove 3..3 of 4 C:\\3",
                                     "removed 3..3 of 3",
                                     "about to remove 0..0 of 3 C:\\0",
                                     "removed 0..0 of 2",
                                     "about to remove 1..1 of 2 C:\\2",
                                     "removed 1..1 of 1",
                                 }));
    ASSERT_EQ(m_table.GetRowCount(), 1);
    EXPECT_EQ(m_table.Rows()[0].strPath, "C:\\1");
    m_table.DeleteRow(0);
    m_table.DeleteRow(0);
    EXPECT_EQ(m_observer.Take(), (Notes{"about to remove 0..0 of 1 C:\\1", "removed 0..0 of 0"}));
    // Ticking a row is not a change of rows.
    ASSERT_TRUE(Report("C:\\5"));
    m_observer.Take();
    m_table.SetChecked(0, false);
    EXPECT_EQ(m_observer.Take(), Notes{});
}

// Clear announces a reset whether or not rows are there, and the table is
// empty, listed paths included, when the reset is done.
TEST_F(CandidateTableNoticesTest, ClearIsAReset)
{
    ASSERT_TRUE(Report("C:\\a"));
    ASSERT_TRUE(Report("C:\\b"));
    m_observer.Take();
    m_table.Clear();
    m_table.Clear();
    EXPECT_EQ(m_observer.Take(), (Notes{
                                     "about to reset of 2",
                                     "reset of 0",
                                     "about to reset of 0",
                                     "reset of 0",
                                 }));
    EXPECT_TRUE(Report("C:\\a"));
    EXPECT_EQ(m_observer.Take(), (Notes{"about to insert 0..0 of 0", "inserted 0..0 of 1 C:\\a"}));

    // A detached observer hears nothing more.
    m_table.SetObserver(nullptr);
    EXPECT_TRUE(Report("C:\\b"));
    m_table.DeleteRow(0);
    m_table.Clear();
    EXPECT_EQ(m_observer.Take(), Notes{});
}

// A real search on a sandbox drive: every row the window lists is announced
// once, in the order of the rows, and a new search begins with a reset.
TEST_F(CSearchTest, ASearchAnnouncesEveryListedRowInOrder)
{
    const std::vector<const char*> files = {"C:\\a.tmp", "C:\\b.bak", "C:\\d\\c.old",
                                            "C:\\d\\e.log"};
    for (const char* pFile : files)
        m_sandbox.MakeFile(pFile);
    m_sandbox.MakeFile("C:\\d\\keep.txt"); // not a candidate
    CHeadlessWindow window(m_doc);
    CRecordingObserver observer(window.Table());
    window.Table().SetObserver(&observer);
    window.BeginSearch("C:");
    CSearch search(CSearchContext{m_doc, window.Port(), m_prompt, m_clock, m_urlCache});
    search.Start();
    window.RunMessageLoop([&](const SPostedMessage& message)
                          { return window.HandleSearchMessage(message); });
    search.Join();

    const int nRows = window.Table().GetRowCount();
    ASSERT_EQ(nRows, static_cast<int>(files.size()));
    Notes expected = {"about to reset of 0", "reset of 0"};
    for (int nRow = 0; nRow < nRows; ++nRow)
    {
        const std::string strRow = std::to_string(nRow) + ".." + std::to_string(nRow);
        expected.push_back("about to insert " + strRow + " of " + std::to_string(nRow));
        expected.push_back("inserted " + strRow + " of " + std::to_string(nRow + 1) + " " +
                           window.Table().Rows()[static_cast<size_t>(nRow)].strPath);
    }
    EXPECT_EQ(observer.Take(), expected);
    window.BeginSearch("C:");
    EXPECT_EQ(observer.Take(), (Notes{"about to reset of " + std::to_string(nRows), "reset of 0"}));
}
