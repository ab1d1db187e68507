// The main window through its real widgets on a sandbox drive: a search lists
// the candidates with their counters, rows can be unchecked, a purge asks
// first (No keeps everything, Yes deletes the checked rows only), a move puts
// the checked files into the chosen folder with the progress dialog up, and
// Cancel leaves every file alone.

#include "AppTestSupport.h"
#include "settings/CScrubixDoc.h"
#include "ui/qt/app/CMainFrame.h"
#include "ui/qt/app/CResultsModel.h"
#include "ui/qt/app/CScrubixView.h"
#include "ui/qt/dialogs/CProgressDialog.h"
#include "ui/qt/dialogs/TextFit.h"
#include "ui/res/ResourceIds.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

namespace
{
constexpr int SEARCH_TIMEOUT_MS = 20000;

QString Cell(CScrubixView& view, int nRow, int nColumn)
{
    return view.Model().index(nRow, nColumn).data().toString();
}

int RowOf(CScrubixView& view, const QString& strPath)
{
    for (int i = 0; i < view.Model().rowCount(); ++i)
        if (Cell(view, i, 0) == strPath)
            return i;
    return -1;
}

// Presses Search and waits for the results (or Idle after an empty search).
void SearchAndWait(CScrubixView& view)
{
    QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(
        view.GetViewState() == ViewState::Results ||
            (view.GetViewState() == ViewState::Idle && !view.IsSearchRunning()),
        SEARCH_TIMEOUT_MS);
}

// Unchecks a row with the keyboard, as a user would: select it, press Space.
void ToggleRowWithSpace(CScrubixView& view, int nRow)
{
    QTreeView* pList = view.ResultsList();
    pList->setFocus();
    pList->setCurrentIndex(view.Model().index(nRow, 0));
    QTest::keyClick(pList, Qt::Key_Space);
}

void WaitForDisposalEnd(CScrubixView& view)
{
    QTRY_VERIFY_WITH_TIMEOUT(view.GetViewState() != ViewState::Disposing, SEARCH_TIMEOUT_MS);
}
} // namespace

class ResultsCycleTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void IdleShowsOnlySearchAndZeroCounters()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        QCOMPARE(view.GetViewState(), ViewState::Idle);
        QVERIFY(view.SearchButton()->isEnabled());
        QCOMPARE(view.SearchButton()->text(), QStringLiteral("Search"));
        QVERIFY(!view.ActionButton()->isVisibleTo(&view));
        QVERIFY(!view.CancelButton()->isVisibleTo(&view));
        for (int nId : {IDC_EXTEN_COUNT, IDC_ZERO_COUNT, IDC_DIRECTED_COUNT, IDC_TOTAL_SIZE})
            QCOMPARE(LabelText(view, nId), QStringLiteral("0"));
        for (int nId : {IDC_CANDIDATE_FILE, IDC_SEARCH_PATH, IDC_CANDIDATE_FILE_CAPTION,
                        IDC_SEARCH_PATH_CAPTION})
            QVERIFY(!IsLabelShown(view, nId));
        QCOMPARE(sandbox.Frame()->windowTitle(), QStringLiteral("Scrubix"));
        QCOMPARE(view.DriveBox()->currentText().left(5), QStringLiteral("[-c-]"));
    }

    void SearchListsRowsWithCountersAndSizeTexts()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.Drive().MakeFile("C:\\work\\a.tmp", std::string(999, 'a'));
        sandbox.Drive().MakeFile("C:\\work\\b.bak", std::string(1000, 'b'));
        sandbox.Drive().MakeFile("C:\\work\\c.log", std::string(1001, 'c'));
        sandbox.Drive().MakeFile("C:\\work\\keep.txt", "keep");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        SearchAndWait(view);

        QCOMPARE(view.GetViewState(), ViewState::Results);
        QCOMPARE(view.Model().rowCount(), 3);
        QCOMPARE(Cell(view, RowOf(view, "C:\\work\\a.tmp"), 2), QStringLiteral("999"));
        QCOMPARE(Cell(view, RowOf(view, "C:\\work\\b.bak"), 2), QStringLiteral("1000"));
        QCOMPARE(Cell(view, RowOf(view, "C:\\work\\c.log"), 2), QStringLiteral("1K"));
        QCOMPARE(Cell(view, RowOf(view, "C:\\work\\c.log"), 1), QStringLiteral("Extension"));
        QCOMPARE(RowOf(view, "C:\\work\\keep.txt"), -1);
        QCOMPARE(LabelText(view, IDC_EXTEN_COUNT), QStringLiteral("3"));
        QCOMPARE(LabelText(view, IDC_TOTAL_SIZE), QStringLiteral("3K bytes")); // 3000 bytes
        QCOMPARE(LabelText(view, IDC_ZERO_COUNT), QStringLiteral("0"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(view.Model().index(i, 0).data(Qt::CheckStateRole).toInt(),
                     static_cast<int>(Qt::Checked));

        // Results: Action and Cancel up, Search disabled, progress lines hidden.
        QVERIFY(view.ActionButton()->isVisibleTo(&view) && view.ActionButton()->isEnabled());
        QVERIFY(view.CancelButton()->isVisibleTo(&view) && view.CancelButton()->isEnabled());
        QCOMPARE(view.ActionButton()->text(), QStringLiteral("Move Files"));
        QVERIFY(!view.SearchButton()->isEnabled());
        QCOMPARE(view.SearchButton()->text(), QStringLiteral("Search"));
        QVERIFY(!IsLabelShown(view, IDC_CANDIDATE_FILE));
        QVERIFY(!IsLabelShown(view, IDC_SEARCH_PATH));
        QCOMPARE(sandbox.Frame()->windowTitle(), QStringLiteral("Scrubix - C:"));
        QCOMPARE(sandbox.GetString("Settings", "Drive"), std::string("C:"));

        // Cancel: back to Idle, every file where it was, the title kept.
        QTest::mouseClick(view.CancelButton(), Qt::LeftButton);
        QCOMPARE(view.GetViewState(), ViewState::Idle);
        QCOMPARE(view.Model().rowCount(), 0);
        QCOMPARE(LabelText(view, IDC_EXTEN_COUNT), QStringLiteral("0"));
        QCOMPARE(sandbox.Frame()->windowTitle(), QStringLiteral("Scrubix - C:"));
        for (const char* pPath : {"C:\\work\\a.tmp", "C:\\work\\b.bak", "C:\\work\\c.log"})
            QVERIFY(sandbox.Drive().Exists(pPath));
    }

    void PurgeAsksFirstAndDeletesOnlyCheckedRows()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 1);
        sandbox.Drive().MakeFile("C:\\junk\\one.tmp");
        sandbox.Drive().MakeFile("C:\\junk\\two.tmp");
        sandbox.Drive().MakeFile("C:\\junk\\three.tmp");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        CDialogAnswerer answerer;
        SearchAndWait(view);
        QCOMPARE(view.Model().rowCount(), 3);
        QCOMPARE(view.ActionButton()->text(), QStringLiteral("Purge Files"));

        const int nKept = RowOf(view, "C:\\junk\\two.tmp");
        ToggleRowWithSpace(view, nKept);
        QCOMPARE(view.Model().index(nKept, 0).data(Qt::CheckStateRole).toInt(),
                 static_cast<int>(Qt::Unchecked));

        // No: back to Results with the rows and their check boxes as they were.
        answerer.Plan("No");
        QTest::mouseClick(view.ActionButton(), Qt::LeftButton);
        WaitForDisposalEnd(view);
        QCOMPARE(view.GetViewState(), ViewState::Results);
        QCOMPARE(answerer.Count(), 1);
        QVERIFY(answerer.Seen().front().startsWith("Purge Warning!|"));
        QCOMPARE(view.Model().rowCount(), 3);
        QCOMPARE(view.Model().index(nKept, 0).data(Qt::CheckStateRole).toInt(),
                 static_cast<int>(Qt::Unchecked));
        for (const char* pPath : {"C:\\junk\\one.tmp", "C:\\junk\\two.tmp", "C:\\junk\\three.tmp"})
            QVERIFY(sandbox.Drive().Exists(pPath));

        // Yes: the checked files are gone, the unchecked one stays.
        answerer.Plan("Yes");
        QTest::mouseClick(view.ActionButton(), Qt::LeftButton);
        WaitForDisposalEnd(view);
        QCOMPARE(view.GetViewState(), ViewState::Idle);
        QCOMPARE(answerer.Count(), 2);
        QVERIFY(!sandbox.Drive().Exists("C:\\junk\\one.tmp"));
        QVERIFY(!sandbox.Drive().Exists("C:\\junk\\three.tmp"));
        QVERIFY(sandbox.Drive().Exists("C:\\junk\\two.tmp"));
        QCOMPARE(view.Model().rowCount(), 0);
    }

    // A big list hears of the disposing thread's removals in batches, not once
    // a row, and ends with exactly the rows the table kept.
    void BigPurgeAnnouncesRemovalsInBatches()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 1);
        sandbox.SetInt("Settings", "WarnMe", 0);
        constexpr int ROWS = 1500;
        for (int i = 0; i < ROWS; ++i)
            sandbox.Drive().MakeFile("C:\\junk" + std::to_string(i % 10) + "\\f" +
                                     std::to_string(i) + ".tmp");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        SearchAndWait(view);
        QCOMPARE(view.Model().rowCount(), ROWS);
        QVERIFY(ROWS > CResultsModel::REMOVAL_BATCH_MIN_ROWS);
        std::vector<std::string> kept;
        for (int nRow = 0; nRow < ROWS; nRow += 100)
        {
            view.Model().SetRowChecked(nRow, false);
            kept.push_back(view.Model().Table().Rows()[static_cast<size_t>(nRow)].strPath);
        }

        int nAnnouncements = 0;
        int nAnnouncedRows = 0;
        bool bViewsAgreeWithTheTable = true;
        connect(&view.Model(), &QAbstractItemModel::rowsAboutToBeRemoved, &view,
                [&](const QModelIndex&, int nFirst, int nLast)
                {
                    ++nAnnouncements;
                    nAnnouncedRows += nLast - nFirst + 1;
                });
        connect(&view.Model(), &QAbstractItemModel::rowsRemoved, &view,
                [&]
                {
                    if (view.Model().rowCount() != view.Model().Table().GetRowCount())
                        bViewsAgreeWithTheTable = false;
                });
        QTest::mouseClick(view.ActionButton(), Qt::LeftButton);
        WaitForDisposalEnd(view);
        QVERIFY(nAnnouncedRows >= ROWS - static_cast<int>(kept.size()));
        QVERIFY2(nAnnouncements < ROWS / 10, qPrintable(QString::number(nAnnouncements)));
        QVERIFY(bViewsAgreeWithTheTable);
        for (const std::string& strPath : kept)
            QVERIFY(sandbox.Drive().Exists(strPath));
        QVERIFY(!sandbox.Drive().Exists("C:\\junk1\\f1.tmp"));
    }

    void DontShowTheWarningAgainIsStoredButNotTakenForThisRun()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 1);
        sandbox.SetInt("Settings", "WarnMe", 1);
        sandbox.Drive().MakeFile("C:\\junk\\one.tmp");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        CDialogAnswerer answerer;
        SearchAndWait(view);
        answerer.PlanTick("Don't show this warning in the future.");
        answerer.Plan("Yes");
        QTest::mouseClick(view.ActionButton(), Qt::LeftButton);
        WaitForDisposalEnd(view);
        QCOMPARE(answerer.Count(), 1);
        QVERIFY(!sandbox.Drive().Exists("C:\\junk\\one.tmp"));
        QCOMPARE(sandbox.GetInt("Settings", "WarnMe", -1), 0);
        QCOMPARE(sandbox.App()->Document().WarnMe, 1);
    }

    void EveryCaptionOfTheFormShowsWhole()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        int nCaptions = 0;
        for (const QLabel* pLabel : view.findChildren<QLabel*>())
        {
            if (pLabel->text().isEmpty())
                continue;
            ++nCaptions;
            QVERIFY2(TextFits(pLabel), qPrintable(pLabel->text()));
            QVERIFY2(view.rect().contains(pLabel->geometry()), qPrintable(pLabel->text()));
        }
        // The four counters with their captions, and the path lines' two captions.
        QCOMPARE(nCaptions, 10);
    }

    void MoveShowsProgressAndPutsCheckedFilesInTheFolder()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 0);
        sandbox.SetInt("Settings", "RecycleRadio", 1);
        sandbox.SetString("Settings", "MovePath", "C:\\Moved");
        sandbox.Drive().MakeFolder("C:\\Moved\\");
        sandbox.Drive().MakeFile("C:\\junk\\one.tmp", "1");
        sandbox.Drive().MakeFile("C:\\junk\\two.tmp", "2");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        SearchAndWait(view);
        QCOMPARE(view.Model().rowCount(), 2);
        ToggleRowWithSpace(view, RowOf(view, "C:\\junk\\two.tmp"));

        QSignalSpy handled(sandbox.Frame(), &CMainFrame::MessageHandled);
        bool bSawProgress = false;
        int nPosition = -1;
        int nMaximum = -1;
        QString strFile;
        QMetaObject::Connection watch =
            connect(sandbox.Frame(), &CMainFrame::MessageHandled,
                    [&](uint32_t nMessage)
                    {
                        CProgressDialog* pProgress = sandbox.Frame()->ProgressDialog();
                        if (nMessage != WM_DISPOSE_STEP || pProgress == nullptr)
                            return;
                        bSawProgress = pProgress->isVisible();
                        nPosition = pProgress->Position();
                        nMaximum = pProgress->Maximum();
                        strFile = pProgress->m_strFile;
                    });
        QTest::mouseClick(view.ActionButton(), Qt::LeftButton);
        WaitForDisposalEnd(view);
        disconnect(watch);

        // The bar spans every row listed; the one checked row moved one step.
        QVERIFY(bSawProgress);
        QCOMPARE(nMaximum, 2);
        QCOMPARE(nPosition, 1);
        QVERIFY(strFile.endsWith("one.tmp"));
        QVERIFY(sandbox.Frame()->ProgressDialog() == nullptr);
        QCOMPARE(view.GetViewState(), ViewState::Idle);
        QVERIFY(!sandbox.Drive().Exists("C:\\junk\\one.tmp"));
        QCOMPARE(sandbox.Drive().ReadFile("C:\\Moved\\one.tmp"), std::string("1"));
        QVERIFY(sandbox.Drive().Exists("C:\\junk\\two.tmp"));
        QVERIFY(!sandbox.Drive().Exists("C:\\Moved\\two.tmp"));
    }
};

QTEST_MAIN(ResultsCycleTest)
#include "ResultsCycleTest.moc"
