// Searches through the real widgets: Stop Search keeps what was found and says
// so, an empty search says "No candidates found.", a path reported twice is
// listed once, the remembered drive is the one searched, a drive that has gone
// leaves nothing selected, the drive box tells drives apart whose folders
// begin alike, and every command is available in the same states from the
// menu, the toolbar and its accelerator key.

#include "AppTestSupport.h"
#include "settings/CScrubixDoc.h"
#include "ui/qt/app/CDriveBox.h"
#include "ui/qt/app/CMainFrame.h"
#include "ui/qt/app/CScrubixView.h"
#include "ui/res/ResourceIds.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace
{
constexpr int TIMEOUT_MS = 20000;

void WaitForSearchEnd(CScrubixView& view)
{
    QTRY_VERIFY_WITH_TIMEOUT(!view.IsSearchRunning() && view.GetViewState() != ViewState::Searching,
                             TIMEOUT_MS);
}

struct SCommandAvailability
{
    bool bSearch, bPurge, bMove, bCancel, bOptions;
};

// The commands' availability as menu 128 shows it, checked against the
// toolbar's buttons: both must agree for every command.
SCommandAvailability ReadCommands(CMainFrame& frame)
{
    std::map<int, bool> enabled;
    QMenu* pFile = frame.menuBar()->actions().front()->menu();
    const QToolBar* pToolBar = frame.findChild<QToolBar*>(QStringLiteral("Toolbar"));
    for (int nId : {ID_SEARCH, ID_PURGE, ID_MOVE, ID_CANCEL, ID_OPTIONS})
    {
        QAction* pAction = frame.Action(nId);
        if (pAction == nullptr || !pFile->actions().contains(pAction))
        {
            qWarning("command %d is not in the File menu", nId);
            return {};
        }
        const QWidget* pButton = pToolBar->widgetForAction(pAction);
        if (pButton == nullptr || pButton->isEnabled() != pAction->isEnabled())
            qWarning("toolbar button of %d disagrees with its menu item", nId);
        enabled[nId] = pAction->isEnabled() && pButton != nullptr && pButton->isEnabled();
    }
    for (int nId : {ID_APP_EXIT, ID_APP_ABOUT, ID_HELP_FINDER})
        if (!frame.Action(nId)->isEnabled())
            qWarning("command %d is not always available", nId);
    return {enabled[ID_SEARCH], enabled[ID_PURGE], enabled[ID_MOVE], enabled[ID_CANCEL],
            enabled[ID_OPTIONS]};
}

bool operator==(const SCommandAvailability& a, const SCommandAvailability& b)
{
    return a.bSearch == b.bSearch && a.bPurge == b.bPurge && a.bMove == b.bMove &&
           a.bCancel == b.bCancel && a.bOptions == b.bOptions;
}

char* toString(const SCommandAvailability& a)
{
    return qstrdup(QStringLiteral("Search %1 Purge %2 Move %3 Cancel %4 Options %5")
                       .arg(a.bSearch)
                       .arg(a.bPurge)
                       .arg(a.bMove)
                       .arg(a.bCancel)
                       .arg(a.bOptions)
                       .toLatin1()
                       .constData());
}

void MakeManyCandidates(CSandboxDrive& drive, int nFolders, int nPerFolder)
{
    for (int f = 0; f < nFolders; ++f)
        for (int i = 0; i < nPerFolder; ++i)
            drive.MakeFile("C:\\junk" + std::to_string(f) + "\\f" + std::to_string(i) + ".tmp");
}

// A key pressed in the active main window (a closed box hands the activation back).
void PressKey(CMainFrame& frame, Qt::Key key)
{
    if (QApplication::activeWindow() != &frame)
    {
        frame.activateWindow();
        if (!QTest::qWaitForWindowActive(&frame))
            qWarning("the main window could not be activated");
    }
    QTest::keyClick(&frame, key);
    QCoreApplication::processEvents();
}
} // namespace

class SearchFlowsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void StopSearchKeepsTheRowsFoundAndSaysSo()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        MakeManyCandidates(sandbox.Drive(), 20, 100);
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        CMainFrame& frame = *sandbox.Frame();

        bool bStopped = false;
        SCommandAvailability whileSearching{true, true, true, true, true};
        QString strButtonWhileSearching;
        QStringList captionsWhileSearching;
        connect(&frame, &CMainFrame::MessageHandled,
                [&](uint32_t nMessage)
                {
                    if (nMessage != WM_ADD_CANDIDATE || bStopped)
                        return;
                    bStopped = true;
                    whileSearching = ReadCommands(frame);
                    strButtonWhileSearching = view.SearchButton()->text();
                    for (int nId : {IDC_SEARCH_PATH_CAPTION, IDC_CANDIDATE_FILE_CAPTION})
                        if (IsLabelShown(view, nId))
                            captionsWhileSearching << LabelText(view, nId);
                    QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
                });
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        WaitForSearchEnd(view);

        QVERIFY(bStopped);
        QCOMPARE(strButtonWhileSearching, QStringLiteral("Stop Search"));
        QCOMPARE(captionsWhileSearching,
                 (QStringList{QStringLiteral("Searching Path"), QStringLiteral("Candidate File")}));
        QCOMPARE(whileSearching, (SCommandAvailability{false, false, false, false, false}));
        QCOMPARE(view.GetViewState(), ViewState::Results);
        QVERIFY(view.Model().rowCount() >= 1);
        QVERIFY2(view.Model().rowCount() < 2000, "the search ran to its end");
        QVERIFY(IsLabelShown(view, IDC_CANDIDATE_FILE));
        QVERIFY(!IsLabelShown(view, IDC_CANDIDATE_FILE_CAPTION));
        QCOMPARE(LabelText(view, IDC_CANDIDATE_FILE),
                 QStringLiteral("Search stopped by user request."));
        QVERIFY(view.ActionButton()->isEnabled() && view.CancelButton()->isEnabled());
        QCOMPARE(view.Document().StopFlag.load(), 0);
        QCOMPARE(LabelText(view, IDC_EXTEN_COUNT), QString::number(view.Model().rowCount()));
    }

    void EmptySearchSaysNoCandidatesAndReturnsToIdle()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.Drive().MakeFile("C:\\docs\\letter.txt");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        CDialogAnswerer answerer;
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        WaitForSearchEnd(view);
        QTRY_COMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen().front(), QStringLiteral("Scrubix|No candidates found."));
        QCOMPARE(view.GetViewState(), ViewState::Idle);
        QVERIFY(view.SearchButton()->isEnabled());
        QVERIFY(!view.ActionButton()->isVisibleTo(&view));
    }

    void PathReportedTwiceIsListedAndCountedOnce()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.Drive().MakeFile("C:\\junk\\dup.tmp", "12345");
        sandbox.SetString("File", "File0", "C:\\junk\\dup.tmp");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        int nReported = 0;
        connect(sandbox.Frame(), &CMainFrame::MessageHandled,
                [&](uint32_t nMessage) { nReported += nMessage == WM_ADD_CANDIDATE ? 1 : 0; });
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        WaitForSearchEnd(view);

        QCOMPARE(nReported, 2); // by its extension and as a file to delete
        QCOMPARE(view.Model().rowCount(), 1);
        QCOMPARE(LabelText(view, IDC_EXTEN_COUNT).toInt() +
                     LabelText(view, IDC_DIRECTED_COUNT).toInt(),
                 1);
        QCOMPARE(LabelText(view, IDC_TOTAL_SIZE), QStringLiteral("0K bytes"));
        QCOMPARE(view.Document().CandidateAck.load(), 1);
    }

    void RememberedDriveIsTheOneSearched()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        const std::filesystem::path second = sandbox.Drive().Root() / "second";
        std::filesystem::create_directories(second / "old");
        {
            std::ofstream(second / "old" / "x.bak") << "x";
        }
        sandbox.Drive().MakeFile("C:\\junk\\c.tmp");
        ::setenv(
            "SCRUBIX_DRIVES",
            ("C:=" + sandbox.Drive().DriveFolder().string() + ";D:=" + second.string()).c_str(), 1);
        sandbox.SetString("Settings", "Drive", "D");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        QCOMPARE(view.DriveBox()->count(), 2);
        QCOMPARE(view.DriveBox()->currentText().left(5), QStringLiteral("[-d-]"));
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        WaitForSearchEnd(view);
        QCOMPARE(view.Model().rowCount(), 1);
        QCOMPARE(view.Model().index(0, 0).data().toString(), QStringLiteral("D:\\old\\x.bak"));
        QCOMPARE(sandbox.Frame()->windowTitle(), QStringLiteral("Scrubix - D:"));
        QCOMPARE(sandbox.GetString("Settings", "Drive"), std::string("D:"));
    }

    void DriveBoxTellsDrivesApartAndDropsAsWideAsItsEntries()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        const std::filesystem::path one = sandbox.Drive().Root() / "projects-archive" / "drive-one";
        const std::filesystem::path two = sandbox.Drive().Root() / "projects-archive" / "drive-two";
        std::filesystem::create_directories(one);
        std::filesystem::create_directories(two);
        ::setenv("SCRUBIX_DRIVES", ("C:=" + one.string() + ";D:=" + two.string()).c_str(), 1);
        QVERIFY(sandbox.Start() != nullptr);
        auto* pBox = qobject_cast<CDriveBox*>(sandbox.View().DriveBox());
        QVERIFY(pBox != nullptr);
        QCOMPARE(pBox->count(), 2);
        QStyleOptionComboBox option;
        option.initFrom(pBox);
        option.editable = false;
        const int nRoom =
            pBox->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, pBox)
                .width();

        QStringList shown;
        for (const auto& [nIndex, folder] : {std::pair{0, one}, std::pair{1, two}})
        {
            pBox->setCurrentIndex(nIndex);
            const QString strFolder = QString::fromStdString(folder.string());
            const QString strLetter = nIndex == 0 ? "[-c-]" : "[-d-]";
            // The items keep their whole texts; the folder whole is the tip.
            QCOMPARE(pBox->currentText(), strLetter + " " + strFolder);
            QCOMPARE(pBox->toolTip(), strFolder);
            // Closed: the letter whole and the folder's end, within the box.
            const QString strShown = pBox->ShownText();
            QVERIFY2(strShown.startsWith(strLetter + " "), qPrintable(strShown));
            QVERIFY2(pBox->fontMetrics().horizontalAdvance(strShown) <= nRoom,
                     qPrintable(strShown));
            const QString strEnd = strShown.mid(strShown.indexOf(QChar(0x2026)) + 1);
            QVERIFY2(strEnd.size() >= 2 && strFolder.endsWith(strEnd), qPrintable(strShown));
            shown << strShown;
        }
        QVERIFY(shown[0] != shown[1]);

        // Dropped: as wide as the widest entry.
        pBox->showPopup();
        QTRY_VERIFY(pBox->view()->isVisible());
        for (int i = 0; i < pBox->count(); ++i)
            QVERIFY(pBox->view()->viewport()->width() >=
                    pBox->fontMetrics().horizontalAdvance(pBox->itemText(i)));
        pBox->hidePopup();
    }

    void DriveThatHasGoneSelectsNothingAndSearchSaysSo()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.Drive().MakeFile("C:\\junk\\c.tmp");
        sandbox.SetString("Settings", "Drive", "E:");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        QCOMPARE(view.DriveBox()->currentIndex(), -1);
        CDialogAnswerer answerer;
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        QTRY_COMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen().front(), QStringLiteral("Scrubix|List Box Error"));
        QCOMPARE(view.GetViewState(), ViewState::Idle);
        QVERIFY(!view.IsSearchRunning());
        QCOMPARE(sandbox.GetString("Settings", "Drive"), std::string("E:"));
        QVERIFY(sandbox.Drive().Exists("C:\\junk\\c.tmp"));
    }

    void DriveThatCannotBeEnteredSaysSoInAVisibleRun()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        const std::filesystem::path missing = sandbox.Drive().Root() / "unplugged";
        ::setenv(
            "SCRUBIX_DRIVES",
            ("C:=" + sandbox.Drive().DriveFolder().string() + ";D:=" + missing.string()).c_str(),
            1);
        sandbox.SetString("Settings", "Drive", "D");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        if (view.DriveBox()->currentText().left(5) != QStringLiteral("[-d-]"))
            QSKIP("a drive whose folder is missing is not listed here");
        CDialogAnswerer answerer;
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        QTRY_COMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen().front(), QStringLiteral("Scrubix|Cannot Scan Path\nD:"));
        QCOMPARE(view.GetViewState(), ViewState::Idle);
        QCOMPARE(sandbox.GetString("Settings", "Drive"), std::string("D"));
    }

    void CommandsAreAvailableAlikeInMenuToolbarAndKeys()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 1);
        sandbox.Drive().MakeFile("C:\\junk\\a.tmp");
        sandbox.Drive().MakeFile("C:\\junk\\b.tmp");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        CMainFrame& frame = *sandbox.Frame();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        CDialogAnswerer answerer;

        QCOMPARE(ReadCommands(frame), (SCommandAvailability{true, false, false, false, true}));
        // Keys of unavailable commands do nothing.
        PressKey(frame, Qt::Key_Delete);
        PressKey(frame, Qt::Key_Escape);
        QCOMPARE(view.GetViewState(), ViewState::Idle);

        // F3 searches.
        PressKey(frame, Qt::Key_F3);
        QVERIFY(view.GetViewState() == ViewState::Searching);
        WaitForSearchEnd(view);
        QCOMPARE(view.GetViewState(), ViewState::Results);
        // Purging (Move 1): Purge, Cancel and Options; Search and Move not.
        QCOMPARE(ReadCommands(frame), (SCommandAvailability{false, true, false, true, true}));
        PressKey(frame, Qt::Key_F3);
        PressKey(frame, Qt::Key_Home);
        QCOMPARE(view.GetViewState(), ViewState::Results);
        QCOMPARE(answerer.Count(), 0);

        // Del purges: while the warning is up the view is Disposing and only
        // Exit, About and Help Topics are available.
        SCommandAvailability whileDisposing{true, true, true, true, true};
        answerer.BeforeAnswer([&] { whileDisposing = ReadCommands(frame); });
        answerer.Plan("No");
        PressKey(frame, Qt::Key_Delete);
        QTRY_COMPARE_WITH_TIMEOUT(answerer.Count(), 1, TIMEOUT_MS);
        QTRY_COMPARE_WITH_TIMEOUT(view.GetViewState(), ViewState::Results, TIMEOUT_MS);
        QCOMPARE(whileDisposing, (SCommandAvailability{false, false, false, false, false}));
        QCOMPARE(view.Model().rowCount(), 2);

        // Esc cancels.
        PressKey(frame, Qt::Key_Escape);
        QCOMPARE(view.GetViewState(), ViewState::Idle);
        QVERIFY(sandbox.Drive().Exists("C:\\junk\\a.tmp"));

        // With Move 0 the Home key is the one that disposes (here: moves to the trash).
        view.Document().Move = 0;
        PressKey(frame, Qt::Key_F3);
        WaitForSearchEnd(view);
        QCOMPARE(ReadCommands(frame), (SCommandAvailability{false, false, true, true, true}));
        PressKey(frame, Qt::Key_Delete);
        QCOMPARE(view.GetViewState(), ViewState::Results);
        PressKey(frame, Qt::Key_Home);
        QTRY_COMPARE_WITH_TIMEOUT(view.GetViewState(), ViewState::Idle, TIMEOUT_MS);
        QVERIFY(!sandbox.Drive().Exists("C:\\junk\\a.tmp"));
        QVERIFY(!sandbox.Drive().Exists("C:\\junk\\b.tmp"));
    }
};

QTEST_MAIN(SearchFlowsTest)
#include "SearchFlowsTest.moc"
