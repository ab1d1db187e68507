// Reviewing the results through the real widgets: sorting by a header click,
// a purge after sorting taking the displayed bottom row first, the bulk
// check commands, Space on a multi-selection, the row commands of the
// context menu, the checked counters in the status bar, the export files, and
// Home and End moving through the list while Home is Move's key elsewhere.
#include "AppTestSupport.h"
#include "settings/CScrubixDoc.h"
#include "ui/qt/app/CMainFrame.h"
#include "ui/qt/app/CScrubixView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace
{
constexpr int SEARCH_TIMEOUT_MS = 20000;

QString Cell(CScrubixView& view, int nRow, int nColumn)
{
    return view.Model().index(nRow, nColumn).data().toString();
}

QStringList Column(CScrubixView& view, int nColumn)
{
    QStringList cells;
    for (int i = 0; i < view.Model().rowCount(); ++i)
        cells << Cell(view, i, nColumn);
    return cells;
}

bool IsChecked(CScrubixView& view, int nRow)
{
    return view.Model().index(nRow, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

int RowOf(CScrubixView& view, const QString& strPath)
{
    return static_cast<int>(Column(view, 0).indexOf(strPath));
}

void SearchAndWait(CScrubixView& view)
{
    QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(view.GetViewState() == ViewState::Results, SEARCH_TIMEOUT_MS);
}

void ClickHeader(CScrubixView& view, int nColumn)
{
    QHeaderView* pHeader = view.ResultsList()->header();
    const QPoint at(pHeader->sectionViewportPosition(nColumn) + pHeader->sectionSize(nColumn) / 2,
                    pHeader->height() / 2);
    QTest::mouseClick(pHeader->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void SelectRow(CScrubixView& view, int nRow)
{
    view.ResultsList()->setFocus();
    view.ResultsList()->setCurrentIndex(view.Model().index(nRow, 0));
}

// The four sizes of the issue, under C:\work, one zero-length file.
void MakeSizedFiles(CAppSandbox& sandbox)
{
    sandbox.Drive().MakeFile("C:\\work\\b.tmp", std::string(1000, 'b'));
    sandbox.Drive().MakeFile("C:\\work\\a.tmp", std::string(5000000, 'a'));
    sandbox.Drive().MakeFile("C:\\work\\d.bak", std::string(999, 'd'));
    sandbox.Drive().MakeFile("C:\\work\\c.log", std::string(1001, 'c'));
}

// A file last changed at nWhen (seconds since 1970).
void SetModified(CAppSandbox& sandbox, const std::string& strPath, std::time_t nWhen)
{
    const struct timespec times[2] = {{nWhen, 0}, {nWhen, 0}};
    QCOMPARE(::utimensat(AT_FDCWD, sandbox.Drive().HostPath(strPath).c_str(), times, 0), 0);
}
} // namespace

class ResultsReviewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void HeaderClicksSortEachColumnByItsValue()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        MakeSizedFiles(sandbox);
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        SearchAndWait(view);
        QCOMPARE(view.Model().rowCount(), 4);

        ClickHeader(view, 2);
        QCOMPARE(Column(view, 2), (QStringList{"999", "1000", "1K", "5000K"}));
        ClickHeader(view, 2); // again: the other way
        QCOMPARE(Column(view, 2), (QStringList{"5000K", "1K", "1000", "999"}));
        QCOMPARE(view.ResultsList()->header()->sortIndicatorOrder(), Qt::DescendingOrder);

        ClickHeader(view, 0);
        QCOMPARE(Column(view, 0), (QStringList{"C:\\work\\a.tmp", "C:\\work\\b.tmp",
                                               "C:\\work\\c.log", "C:\\work\\d.bak"}));
        ClickHeader(view, 1);
        QCOMPARE(Column(view, 1),
                 (QStringList{"Extension", "Extension", "Extension", "Extension"}));
        // The keys do what the header does.
        sandbox.Frame()->ListAction(EListCommand::SortByColumn, 2)->trigger();
        QCOMPARE(Column(view, 2), (QStringList{"999", "1000", "1K", "5000K"}));

        // A new search starts unsorted: no indicator, sorting unavailable while rows arrive.
        QTest::mouseClick(view.CancelButton(), Qt::LeftButton);
        QVERIFY(!view.ResultsList()->header()->isSortIndicatorShown());
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        QVERIFY(!sandbox.Frame()->ListAction(EListCommand::SortByColumn, 2)->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(view.GetViewState() == ViewState::Results, SEARCH_TIMEOUT_MS);
        QVERIFY(sandbox.Frame()->ListAction(EListCommand::SortByColumn, 2)->isEnabled());
    }

    // The fourth column shows each file's modification time in the list's
    // form and sorts by the time, both ways, from the header and the menu.
    void ModifiedColumnShowsAndSortsByTheTime()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        MakeSizedFiles(sandbox);
        SetModified(sandbox, "C:\\work\\a.tmp", 1700000000);
        SetModified(sandbox, "C:\\work\\b.tmp", 1500000000);
        SetModified(sandbox, "C:\\work\\c.log", 1796825039);
        SetModified(sandbox, "C:\\work\\d.bak", 1600000000);
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        QCOMPARE(view.Model().headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Modified"));
        SearchAndWait(view);
        QCOMPARE(view.Model().rowCount(), 4);
        const QStringList byTime{"C:\\work\\b.tmp", "C:\\work\\d.bak", "C:\\work\\a.tmp",
                                 "C:\\work\\c.log"};

        ClickHeader(view, 3);
        QCOMPARE(Column(view, 0), byTime);
        const auto text = [](std::time_t nWhen)
        { return QString::fromStdString(CCandidateTable::ModifiedText(nWhen)); };
        QCOMPARE(Column(view, 3), (QStringList{text(1500000000), text(1600000000), text(1700000000),
                                               text(1796825039)}));
        QVERIFY(QRegularExpression("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}$")
                    .match(Cell(view, 0, 3))
                    .hasMatch());
        ClickHeader(view, 3);
        QCOMPARE(view.ResultsList()->header()->sortIndicatorOrder(), Qt::DescendingOrder);
        QStringList reversed = byTime;
        std::reverse(reversed.begin(), reversed.end());
        QCOMPARE(Column(view, 0), reversed);

        ClickHeader(view, 0);
        sandbox.Frame()->ListAction(EListCommand::SortByColumn, 3)->trigger();
        QCOMPARE(Column(view, 0), byTime);
        QCOMPARE(sandbox.Frame()->ListAction(EListCommand::SortByColumn, 3)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+4")));
    }

    void PurgeAfterSortingTakesTheDisplayedBottomRowFirst()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 1);
        sandbox.SetInt("Settings", "WarnMe", 0);
        MakeSizedFiles(sandbox);
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        SearchAndWait(view);
        ClickHeader(view, 2);
        ClickHeader(view, 2); // largest first: the bottom row is the 999-byte file
        const QString strBottom = Cell(view, 3, 0);
        QCOMPARE(strBottom, QStringLiteral("C:\\work\\d.bak"));
        // The second row down stays: unchecked.
        view.Model().SetRowChecked(1, false);
        const QString strKept = Cell(view, 1, 0);

        QStringList removed;
        connect(&view.Model(), &QAbstractItemModel::rowsAboutToBeRemoved, &view,
                [&](const QModelIndex&, int nFirst, int) { removed << Cell(view, nFirst, 0); });
        QTest::keyClick(sandbox.Frame(), Qt::Key_Delete); // Purge
        QTRY_VERIFY_WITH_TIMEOUT(view.GetViewState() == ViewState::Idle, SEARCH_TIMEOUT_MS);
        QCOMPARE(removed.size(), 4);
        QCOMPARE(removed.front(), strBottom);
        QCOMPARE(removed,
                 (QStringList{"C:\\work\\d.bak", "C:\\work\\b.tmp", strKept, "C:\\work\\a.tmp"}));
        QVERIFY(!sandbox.Drive().Exists("C:\\work\\d.bak"));
        QVERIFY(!sandbox.Drive().Exists("C:\\work\\a.tmp"));
        QVERIFY(sandbox.Drive().Exists(strKept.toStdString()));
    }

    void BulkChecksSpaceAndTheCheckedCounters()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        MakeSizedFiles(sandbox);
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        CMainFrame& frame = *sandbox.Frame();
        SearchAndWait(view);
        ClickHeader(view, 2); // 999, 1000, 1001, 5000000
        QLabel* pCounter = frame.CheckedLabel();
        QCOMPARE(pCounter->text(), QStringLiteral("4 checked, 5003K bytes"));

        QTest::keyClick(&frame, Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
        for (int i = 0; i < 4; ++i)
            QVERIFY(!IsChecked(view, i));
        QCOMPARE(pCounter->text(), QStringLiteral("0 checked, 0K bytes"));
        QTest::keyClick(&frame, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        for (int i = 0; i < 4; ++i)
            QVERIFY(IsChecked(view, i));
        QCOMPARE(pCounter->text(), QStringLiteral("4 checked, 5003K bytes"));

        // Space on rows 0 and 2 (Ctrl-click) unchecks both.
        QTreeView* pList = view.ResultsList();
        SelectRow(view, 0);
        const QRect second = pList->visualRect(view.Model().index(2, 1));
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, Qt::ControlModifier, second.center());
        QCOMPARE(pList->selectionModel()->selectedRows().size(), 2);
        QTest::keyClick(pList, Qt::Key_Space);
        QVERIFY(!IsChecked(view, 0) && IsChecked(view, 1) && !IsChecked(view, 2) &&
                IsChecked(view, 3));
        QCOMPARE(pCounter->text(), QStringLiteral("2 checked, 5001K bytes")); // 1000 + 5000000
        // Shift-click extends to row 3; Space checks all three by the current row's opposite.
        const QRect fourth = pList->visualRect(view.Model().index(3, 1));
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, Qt::ShiftModifier, fourth.center());
        QTest::keyClick(pList, Qt::Key_Space);
        QVERIFY(!IsChecked(view, 2) && !IsChecked(view, 3));

        QTest::keyClick(&frame, Qt::Key_I, Qt::ControlModifier); // invert
        QVERIFY(IsChecked(view, 0) && !IsChecked(view, 1) && IsChecked(view, 2) &&
                IsChecked(view, 3));
        QCOMPARE(pCounter->text(), QStringLiteral("3 checked, 5002K bytes"));
        // A click on one box moves the counter too.
        view.Model().setData(view.Model().index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
        QCOMPARE(pCounter->text(), QStringLiteral("2 checked, 5001K bytes"));
    }

    void ContextMenuRowCommands()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.Drive().MakeFile("C:\\work\\old\\a.tmp");
        sandbox.Drive().MakeFile("C:\\work\\old\\b.chk");
        sandbox.Drive().MakeFile("C:\\work\\c.tmp");
        sandbox.Drive().MakeFile("C:\\work\\c.bak");
        sandbox.Drive().MakeFile("C:\\other\\c.tmp");
        auto pOpened = RecordShellOpens(sandbox);
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        CMainFrame& frame = *sandbox.Frame();
        SearchAndWait(view);
        ClickHeader(view, 0);
        QCOMPARE(view.Model().rowCount(), 5);

        // The menu lists the row's commands, "Exclude *.tmp" among them.
        SelectRow(view, RowOf(view, "C:\\work\\c.tmp"));
        QMenu* pMenu = frame.BuildListContextMenu();
        QStringList texts;
        for (QAction* pAction : pMenu->actions())
            if (!pAction->isSeparator())
                texts << pAction->text();
        QVERIFY(texts.contains("Exclude *.tmp"));
        QVERIFY(texts.contains("Exclude this file &name"));
        QVERIFY(texts.contains("Filter this fol&der"));
        delete pMenu;

        frame.ListAction(EListCommand::OpenFile)->trigger();
        frame.ListAction(EListCommand::OpenFolder)->trigger();
        QCOMPARE(*pOpened, (std::vector<std::string>{"C:\\work\\c.tmp", "C:\\work"}));
        frame.ListAction(EListCommand::CopyPath)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("C:\\work\\c.tmp"));
        frame.ListAction(EListCommand::CopyHostPath)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString::fromStdString(sandbox.Drive().HostPath("C:\\work\\c.tmp").string()));

        // Exclude this file name: stored, and both c.tmp rows unchecked at once.
        frame.ListAction(EListCommand::ExcludeName)->trigger();
        CScrubixDoc& doc = view.Document();
        QVERIFY(std::count(doc.Lists[LIST_EXCLUDE].begin(), doc.Lists[LIST_EXCLUDE].end(),
                           "c.tmp") == 1);
        QVERIFY(!IsChecked(view, RowOf(view, "C:\\work\\c.tmp")));
        QVERIFY(!IsChecked(view, RowOf(view, "C:\\other\\c.tmp")));
        QVERIFY(IsChecked(view, RowOf(view, "C:\\work\\old\\a.tmp")));
        QVERIFY(IsChecked(view, RowOf(view, "C:\\work\\c.bak")));

        // Exclude *.tmp: a.tmp goes too.
        frame.ListAction(EListCommand::ExcludeExtension)->trigger();
        QVERIFY(!IsChecked(view, RowOf(view, "C:\\work\\old\\a.tmp")));
        QVERIFY(IsChecked(view, RowOf(view, "C:\\work\\old\\b.chk")));

        // Filter this folder: b.chk, under C:\work\old.
        SelectRow(view, RowOf(view, "C:\\work\\old\\b.chk"));
        frame.ListAction(EListCommand::FilterFolder)->trigger();
        QVERIFY(!IsChecked(view, RowOf(view, "C:\\work\\old\\b.chk")));
        QVERIFY(IsChecked(view, RowOf(view, "C:\\work\\c.bak")));
        // Stored as the Filters page stores its list (values Filter0, Filter1, ...).
        const std::string strSlot = "Filter" + std::to_string(doc.Lists[LIST_FILTER].size() - 1);
        QCOMPARE(QString::fromStdString(sandbox.GetString("Filter", strSlot)),
                 QStringLiteral("C:\\work\\old"));

        // A root-level file's folder is the drive root: refused as the Filters page refuses it.
        CDialogAnswerer answerer;
        const auto filters = doc.Lists[LIST_FILTER];
        QTest::mouseClick(view.CancelButton(), Qt::LeftButton);
        sandbox.Drive().MakeFile("C:\\root.bak");
        SearchAndWait(view); // the next search honours the new entries
        // c.tmp and *.tmp excluded, C:\work\old filtered: two rows are left.
        QStringList paths = Column(view, 0);
        paths.sort();
        QCOMPARE(paths, (QStringList{"C:\\root.bak", "C:\\work\\c.bak"}));
        SelectRow(view, RowOf(view, "C:\\root.bak"));
        frame.ListAction(EListCommand::FilterFolder)->trigger();
        QTRY_COMPARE(answerer.Count(), 1);
        QCOMPARE(doc.Lists[LIST_FILTER], filters);
        QVERIFY(IsChecked(view, RowOf(view, "C:\\root.bak")));
    }

    void HomeAndEndMoveThroughTheListAndHomeMovesFilesOnlyOutsideIt()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 0);
        sandbox.SetInt("Settings", "RecycleRadio", 1);
        sandbox.SetString("Settings", "MovePath", "C:\\Moved");
        sandbox.Drive().MakeFolder("C:\\Moved\\");
        MakeSizedFiles(sandbox);
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        QVERIFY(QTest::qWaitForWindowActive(sandbox.Frame()));
        SearchAndWait(view);
        QCOMPARE(view.Model().rowCount(), 4);

        QTreeView* pList = view.ResultsList();
        SelectRow(view, 2);
        QTest::keyClick(pList, Qt::Key_Home);
        QCOMPARE(pList->currentIndex().row(), 0);
        QTest::keyClick(pList, Qt::Key_End);
        QCOMPARE(pList->currentIndex().row(), 3);
        QTest::keyClick(pList, Qt::Key_Home);
        QCOMPARE(pList->currentIndex().row(), 0);
        QTest::qWait(200);
        QCOMPARE(view.GetViewState(), ViewState::Results);
        QCOMPARE(view.Model().rowCount(), 4);
        QVERIFY(sandbox.Drive().Exists("C:\\work\\a.tmp"));

        // Outside the list Home is Move: the checked files go to the folder.
        view.ActionButton()->setFocus();
        QTest::keyClick(view.ActionButton(), Qt::Key_Home);
        QTRY_VERIFY_WITH_TIMEOUT(view.GetViewState() == ViewState::Idle, SEARCH_TIMEOUT_MS);
        QVERIFY(!sandbox.Drive().Exists("C:\\work\\a.tmp"));
        QVERIFY(sandbox.Drive().Exists("C:\\Moved\\a.tmp"));
    }

    void ExportWritesTheRowsAsShown()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        MakeSizedFiles(sandbox);
        sandbox.Drive().MakeFile("C:\\work\\with,comma \"q\".tmp");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        SearchAndWait(view);
        ClickHeader(view, 2);
        view.Model().SetRowChecked(0, false);
        QTemporaryDir out;
        const QString strCsv = out.filePath("rows.csv");
        const QString strJson = out.filePath("rows.json");
        QVERIFY(view.ExportResults(strCsv, EExportFormat::Csv));
        QVERIFY(view.ExportResults(strJson, EExportFormat::Json));
        const CCandidateTable& table = view.Model().Table();

        QFile json(strJson);
        QVERIFY(json.open(QIODevice::ReadOnly));
        const QJsonArray rows = QJsonDocument::fromJson(json.readAll()).array();
        QCOMPARE(rows.size(), table.GetRowCount());
        for (int i = 0; i < rows.size(); ++i)
        {
            const QJsonObject row = rows[i].toObject();
            QCOMPARE(row["path"].toString(), Cell(view, i, 0));
            QCOMPARE(row["reason"].toString(), Cell(view, i, 1));
            QCOMPARE(row["size"].toDouble(), table.Rows()[static_cast<size_t>(i)].dSize);
            QCOMPARE(row["checked"].toBool(), IsChecked(view, i));
            QCOMPARE(row["modified"].toString(), Cell(view, i, 3));
            QVERIFY(!Cell(view, i, 3).isEmpty());
        }

        // CSV: parsed back by RFC 4180's rules.
        QFile csv(strCsv);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QString strText = QString::fromUtf8(csv.readAll());
        QList<QStringList> records{{}};
        QString strField;
        bool bQuoted = false;
        for (qsizetype i = 0; i < strText.size(); ++i)
        {
            const QChar c = strText[i];
            if (bQuoted)
            {
                if (c == '"' && i + 1 < strText.size() && strText[i + 1] == '"')
                    strField += '"', ++i;
                else if (c == '"')
                    bQuoted = false;
                else
                    strField += c;
            }
            else if (c == '"')
                bQuoted = true;
            else if (c == ',')
                records.back() << strField, strField.clear();
            else if (c == '\r' && i + 1 < strText.size() && strText[i + 1] == '\n')
            {
                records.back() << strField, strField.clear();
                records.push_back({});
                ++i;
            }
            else
                strField += c;
        }
        records.pop_back(); // after the last line end
        QCOMPARE(records.size(), table.GetRowCount() + 1);
        QCOMPARE(records[0], (QStringList{"Path", "Reason", "Size", "Checked", "Modified"}));
        for (int i = 0; i < table.GetRowCount(); ++i)
        {
            const QStringList expected{
                Cell(view, i, 0), Cell(view, i, 1),
                QString::number(table.Rows()[static_cast<size_t>(i)].dSize, 'f', 0),
                IsChecked(view, i) ? "true" : "false", Cell(view, i, 3)};
            QCOMPARE(records[i + 1], expected);
        }
        QVERIFY(Column(view, 0).contains("C:\\work\\with,comma \"q\".tmp"));
    }
};

QTEST_MAIN(ResultsReviewTest)
#include "ResultsReviewTest.moc"
