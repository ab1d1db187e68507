// The disposing thread's view of the window's list, over a real model: rows
// read in blocks still see a check box changed by the user mid-pass, and the
// removals handed back reach the list in the pass's order.
#include "platform/Platform.h"
#include "search/CCandidateTable.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "support/CSandboxDrive.h"
#include "ui/qt/app/CResultsModel.h"
#include "ui/qt/app/CWindowResultsList.h"

#include <QCoreApplication>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace
{
// Hands nRows candidates to the table through a document's mailbox, as the
// searching thread does.
void AddRows(CCandidateTable& table, int nRows)
{
    CSandboxDrive sandbox;
    SPlatform platform = CreatePlatform();
    CSettingsStore store(*platform.pRegistry);
    CScrubixDoc doc(store, *platform.pFileSystem);
    for (int i = 0; i < nRows; ++i)
    {
        doc.CandidatePath = "C:\\junk\\file" + std::to_string(i) + ".tmp";
        doc.CandidateSize = 1;
        doc.CandidateReason = REASON_EXTENSION;
        table.AddCandidateRow(doc);
    }
}

// Runs pass on a worker while the user-interface thread keeps its events going.
template <typename FPass> void RunOnWorker(FPass pass)
{
    std::atomic<bool> bDone{false};
    std::thread worker(
        [&]
        {
            pass();
            bDone.store(true);
        });
    while (!bDone.load())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    worker.join();
}
} // namespace

class WindowResultsListTest : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryRowAndRemovesThemInOrder()
    {
        CCandidateTable table;
        CResultsModel model(table);
        AddRows(table, 200);
        model.ShowPendingRows();
        model.SetRowChecked(150, false);
        CWindowResultsList list(&model, model, [] { return true; });

        std::vector<std::string> checked;
        RunOnWorker(
            [&]
            {
                for (int nRow = list.GetRowCount() - 1; nRow >= 100; --nRow)
                {
                    const SResultsRow row = list.GetRow(nRow);
                    if (row.bChecked)
                        checked.push_back(row.strPath);
                    list.DeleteRow(nRow);
                }
                list.CommitDeletes();
            });
        QCOMPARE(static_cast<int>(checked.size()), 99);
        QCOMPARE(checked.front(), std::string("C:\\junk\\file199.tmp"));
        QCOMPARE(checked.back(), std::string("C:\\junk\\file100.tmp"));
        QVERIFY(std::find(checked.begin(), checked.end(), "C:\\junk\\file150.tmp") ==
                checked.end());
        QTRY_COMPARE(model.rowCount(), 100);
        QCOMPARE(table.GetRowCount(), 100);
        QCOMPARE(table.Rows()[99].strPath, std::string("C:\\junk\\file99.tmp"));
        // A row past the end reads as none.
        std::string strPastEnd = "unread";
        RunOnWorker([&] { strPastEnd = list.GetRow(100).strPath; });
        QCOMPARE(strPastEnd, std::string());
    }

    void aRowUncheckedMidPassIsSeenAlthoughItsBlockWasRead()
    {
        CCandidateTable table;
        CResultsModel model(table);
        AddRows(table, 10);
        model.ShowPendingRows();
        CWindowResultsList list(&model, model, [] { return true; });

        std::atomic<int> nStage{0};
        bool bRow9Checked = false;
        bool bRow3Checked = true;
        bool bRow2Checked = false;
        std::thread worker(
            [&]
            {
                bRow9Checked = list.GetRow(9).bChecked; // reads rows 0..9 in one block
                list.DeleteRow(9);
                nStage.store(1);
                while (nStage.load() != 2)
                    std::this_thread::yield();
                bRow3Checked = list.GetRow(3).bChecked;
                bRow2Checked = list.GetRow(2).bChecked;
                list.CommitDeletes();
                nStage.store(3);
            });
        while (nStage.load() != 1)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        model.SetRowChecked(3, false); // the user's click while the pass runs
        nStage.store(2);
        while (nStage.load() != 3)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        worker.join();
        QVERIFY(bRow9Checked);
        QVERIFY(!bRow3Checked);
        QVERIFY(bRow2Checked);
        QTRY_COMPARE(table.GetRowCount(), 9);
    }
};

QTEST_MAIN(WindowResultsListTest)
#include "WindowResultsListTest.moc"
