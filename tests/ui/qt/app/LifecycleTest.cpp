// The program's life through the real widgets: closing while a search runs
// stops it and then closes, closing while a disposal runs waits for the pass
// to end, an invisible boot run searches, disposes without asking, writes its
// report without opening it and ends, an invisible run on unreadable settings
// shows its window and disposes of nothing, and a second copy only shows the
// first one, which then stops its unattended chain.

#include "AppTestSupport.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "ui/qt/app/CFramePort.h"
#include "ui/qt/app/CMainFrame.h"
#include "ui/qt/app/CScrubixView.h"
#include "ui/res/ResourceIds.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <filesystem>

namespace
{
constexpr int TIMEOUT_MS = 30000;
const char* const INVISIBLE_TOKEN = "-7QX2M9R4TJ6W1HN5";

void MakeCandidates(CSandboxDrive& drive, int nFolders, int nPerFolder)
{
    for (int f = 0; f < nFolders; ++f)
        for (int i = 0; i < nPerFolder; ++i)
            drive.MakeFile("C:\\junk" + std::to_string(f) + "\\f" + std::to_string(i) + ".tmp");
}

int CountLeft(CSandboxDrive& drive, int nFolders, int nPerFolder)
{
    int nLeft = 0;
    for (int f = 0; f < nFolders; ++f)
        for (int i = 0; i < nPerFolder; ++i)
            nLeft +=
                drive.Exists("C:\\junk" + std::to_string(f) + "\\f" + std::to_string(i) + ".tmp")
                    ? 1
                    : 0;
    return nLeft;
}

// Runs the built program as a second copy in the same sandbox; its exit code.
int RunSecondCopy(const QStringList& arguments, bool bBlockThisThread)
{
    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    second.start(ToolsFolder() + QStringLiteral("/scrubix"), arguments);
    if (!second.waitForStarted(10000))
        return -1;
    if (bBlockThisThread)
        second.waitForFinished(20000);
    else
        for (int i = 0; i < 2000 && second.state() != QProcess::NotRunning; ++i)
            QTest::qWait(10); // this copy keeps answering meanwhile
    if (second.state() != QProcess::NotRunning)
    {
        second.kill(); // it did not find this copy and went on as a program of its own
        second.waitForFinished();
        return -4;
    }
    return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -2;
}
// Holds back the frame's drain events: the workers' messages wait in the port.
class CHeldDrains : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* pEvent) override
    {
        return pEvent->type() == CFramePort::DrainEventType();
    }
};
} // namespace

class LifecycleTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void CloseDuringASearchStopsItThenClosesWithTheWidthsSaved()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        MakeCandidates(sandbox.Drive(), 20, 100);
        QVERIFY(sandbox.Start() != nullptr);
        CMainFrame& frame = *sandbox.Frame();
        CScrubixView& view = sandbox.View();
        const std::array<int, 4> widths = view.GetColumnWidths();

        bool bAsked = false;
        bool bOpenAfterClose = false;
        int nStopFlag = 0;
        connect(&frame, &CMainFrame::MessageHandled,
                [&](uint32_t nMessage)
                {
                    if (nMessage != WM_ADD_CANDIDATE || bAsked)
                        return;
                    bAsked = true;
                    frame.close();
                    bOpenAfterClose = frame.isVisible();
                    nStopFlag = view.Document().StopFlag.load();
                });
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        QVERIFY(sandbox.WaitForEnd(TIMEOUT_MS));

        QVERIFY(bAsked);
        QVERIFY(bOpenAfterClose);
        QCOMPARE(nStopFlag, 1);
        QCOMPARE(sandbox.GetInt("List", "col0", -1), widths[0]);
        QCOMPARE(sandbox.GetInt("List", "col2", -1), widths[2]);
        QCOMPARE(sandbox.GetInt("List", "col3", -1), widths[3]);
        QCOMPARE(CountLeft(sandbox.Drive(), 20, 100), 2000);
    }

    void CloseDuringAPurgeWaitsForThePassToEnd()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 1);
        MakeCandidates(sandbox.Drive(), 4, 50);
        QVERIFY(sandbox.Start() != nullptr);
        CMainFrame& frame = *sandbox.Frame();
        CScrubixView& view = sandbox.View();
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(view.GetViewState(), ViewState::Results, TIMEOUT_MS);
        QCOMPARE(view.Model().rowCount(), 200);

        CDialogAnswerer answerer;
        bool bOpenAfterClose = false;
        answerer.BeforeAnswer(
            [&]
            {
                frame.close(); // while the warning is up the view is Disposing
                bOpenAfterClose = frame.isVisible();
            });
        answerer.Plan("Yes");
        QTest::mouseClick(view.ActionButton(), Qt::LeftButton);
        QVERIFY(sandbox.WaitForEnd(TIMEOUT_MS));
        QCOMPARE(answerer.Count(), 1);
        QVERIFY(bOpenAfterClose);
        QCOMPARE(CountLeft(sandbox.Drive(), 4, 50), 0);
    }

    void CloseDuringAMoveWaitsForEveryFileToBeMoved()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 0);
        sandbox.SetInt("Settings", "RecycleRadio", 1);
        sandbox.SetString("Settings", "MovePath", "C:\\Moved");
        sandbox.Drive().MakeFolder("C:\\Moved\\");
        MakeCandidates(sandbox.Drive(), 1, 40);
        QVERIFY(sandbox.Start() != nullptr);
        CMainFrame& frame = *sandbox.Frame();
        CScrubixView& view = sandbox.View();
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(view.GetViewState(), ViewState::Results, TIMEOUT_MS);

        bool bAsked = false;
        bool bOpenAfterClose = false;
        connect(&frame, &CMainFrame::MessageHandled,
                [&](uint32_t nMessage)
                {
                    if (nMessage != WM_DISPOSE_STEP || bAsked)
                        return;
                    bAsked = true;
                    frame.close();
                    bOpenAfterClose = frame.isVisible() && frame.ProgressDialog() != nullptr;
                });
        QTest::mouseClick(view.ActionButton(), Qt::LeftButton);
        QVERIFY(sandbox.WaitForEnd(TIMEOUT_MS));
        QVERIFY(bAsked);
        QVERIFY(bOpenAfterClose);
        QCOMPARE(CountLeft(sandbox.Drive(), 1, 40), 0);
        for (int i = 0; i < 40; ++i)
            QVERIFY(sandbox.Drive().Exists("C:\\Moved\\f" + std::to_string(i) + ".tmp"));
    }

    void InvisibleRunSearchesDisposesWritesItsReportAndEnds()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 1);
        sandbox.SetInt("Settings", "WarnMe", 1);
        sandbox.SetInt("Settings", "Anomaly", 1);
        sandbox.SetString("Settings", "Path", "C:\\prog");
        sandbox.Drive().MakeFolder("C:\\prog\\");
        sandbox.Drive().MakeFile("C:\\junk\\a.tmp");
        sandbox.Drive().MakeFile("C:\\junk\\b.bak");
        sandbox.Drive().MakeFile("C:\\junk\\keep.txt");
        const auto pOpened = RecordShellOpens(sandbox);
        CDialogAnswerer answerer;
        QVERIFY(sandbox.Start(std::string("scrubix.exe ") + INVISIBLE_TOKEN) != nullptr);
        QVERIFY(!sandbox.Frame()->isVisible());

        QVERIFY(sandbox.WaitForEnd(TIMEOUT_MS));
        QCOMPARE(answerer.Count(), 0); // no purge warning, no message of any kind
        QVERIFY(!sandbox.Drive().Exists("C:\\junk\\a.tmp"));
        QVERIFY(!sandbox.Drive().Exists("C:\\junk\\b.bak"));
        QVERIFY(sandbox.Drive().Exists("C:\\junk\\keep.txt"));
        QVERIFY(sandbox.Drive().Exists("C:\\prog\\anomaly.txt"));
        QVERIFY(sandbox.Drive().ReadFile("C:\\prog\\anomaly.txt").find("C:\\junk\\a.tmp") !=
                std::string::npos);
        QVERIFY(pOpened->empty());
    }

    void InvisibleRunWithNothingFoundStillEnds()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 1);
        sandbox.Drive().MakeFile("C:\\docs\\letter.txt");
        CDialogAnswerer answerer;
        QVERIFY(sandbox.Start(INVISIBLE_TOKEN) != nullptr);
        QVERIFY(sandbox.WaitForEnd(TIMEOUT_MS));
        QCOMPARE(answerer.Count(), 0); // "No candidates found." is not shown
        QVERIFY(sandbox.Drive().Exists("C:\\docs\\letter.txt"));
    }

    void InvisibleRunOnUnreadableSettingsShowsItsWindowAndDisposesOfNothing()
    {
        CAppSandbox sandbox;
        sandbox.Drive().MakeFile("C:\\junk\\a.tmp");
        // A folder where the settings database should be: it cannot be read.
        std::filesystem::create_directories(sandbox.Drive().RegistryFolder() / "HKLM.db");
        CDialogAnswerer answerer; // the first-run boxes a store without settings brings
        QVERIFY(sandbox.Start(INVISIBLE_TOKEN) != nullptr);
        QVERIFY(sandbox.App()->Store().IsUnreadable());
        QVERIFY(sandbox.Frame()->isVisible());
        CScrubixView& view = sandbox.View();
        // It searches as a visible boot run does, then waits for the user.
        QTRY_COMPARE_WITH_TIMEOUT(view.GetViewState(), ViewState::Results, TIMEOUT_MS);
        QTest::qWait(1000);
        QCOMPARE(view.GetViewState(), ViewState::Results);
        QVERIFY(sandbox.Frame() != nullptr && sandbox.Frame()->isVisible());
        QVERIFY(sandbox.Drive().Exists("C:\\junk\\a.tmp"));
    }

    void FirstStartWelcomeSetsTheDisposalModeOnce()
    {
        struct SCase
        {
            const char* szButton;
            int nMove;
        };
        for (const SCase& c : {SCase{"I Will Try Deletion Mode", 1},
                               SCase{"I Just Want to Move Files to the Recycle Bin", 0}})
        {
            CAppSandbox sandbox;
            sandbox.SetInt("Settings", "23", 1);
            sandbox.SetInt("Settings", "RecycleRadio", 1);
            CDialogAnswerer answerer;
            answerer.Plan(c.szButton);
            QVERIFY(sandbox.Start() != nullptr);
            QCOMPARE(answerer.Count(), 1);
            QVERIFY(answerer.Seen().front().startsWith("Welcome to Scrubix!|"));
            QCOMPARE(sandbox.App()->Document().Move, c.nMove);
            QCOMPARE(sandbox.GetInt("Settings", "Move", -1), c.nMove);
            QCOMPARE(sandbox.GetInt("Settings", "RecycleRadio", -1), 0);
            QCOMPARE(sandbox.GetInt("Settings", "Newbie", -1), 0);
        }
    }

    // A first start killed while the Welcome question is open has stored
    // nothing: the next start asks again. While that question is open, a
    // second copy only asks the first to show itself and asks nothing.
    void AFirstStartKilledAtTheWelcomeAsksAgain()
    {
        CAppSandbox sandbox;
        sandbox.SetInt("Settings", "23", 1);
        {
            QProcess first;
            first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            first.start(ToolsFolder() + QStringLiteral("/scrubix"), QStringList{});
            QVERIFY(first.waitForStarted(10000));
            // Its settings are loaded (22 is written then); the question
            // follows. Newbie, if the start wrote it before the answer,
            // would appear within moments.
            QTRY_VERIFY_WITH_TIMEOUT(sandbox.GetInt("Settings", "22", 0) == 1, TIMEOUT_MS);
            for (int i = 0; i < 60 && sandbox.GetInt("Settings", "Newbie", -1) == -1; ++i)
                QTest::qWait(50);
            QCOMPARE(first.state(), QProcess::Running);
            first.kill();
            first.waitForFinished(10000);
        }
        QCOMPARE(sandbox.GetInt("Settings", "Newbie", -1), -1);
        QCOMPARE(sandbox.GetInt("Settings", "Move", -1), -1);

        int nSecondCopy = -3;
        CDialogAnswerer answerer;
        answerer.BeforeAnswer(
            [&]
            {
                if (nSecondCopy != -3)
                    return;
                // Still unanswered: nothing stored yet.
                QCOMPARE(sandbox.GetInt("Settings", "Newbie", -1), -1);
                nSecondCopy = RunSecondCopy({}, true);
            });
        answerer.Plan("I Just Want to Move Files to the Recycle Bin");
        QVERIFY(sandbox.Start() != nullptr);
        QCOMPARE(answerer.Count(), 1);
        QVERIFY(answerer.Seen().front().startsWith("Welcome to Scrubix!|"));
        QCOMPARE(nSecondCopy, 0);
        QCOMPARE(sandbox.GetInt("Settings", "Newbie", -1), 0);
        QCOMPARE(sandbox.GetInt("Settings", "Move", -1), 0);
        QCOMPARE(sandbox.GetInt("Settings", "RecycleRadio", -1), 0);
    }

    void OptionsFromTheWindowShowsOnlyPurgeMoveWithResultsAndCancelChangesNothing()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.Drive().MakeFile("C:\\junk\\a.tmp", "a");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(view.GetViewState(), ViewState::Results, TIMEOUT_MS);
        const QString strAction = view.ActionButton()->text();

        QStringList tabs;
        CDialogAnswerer answerer;
        answerer.BeforeAnswer(
            [&]
            {
                if (auto* pTabs = QApplication::activeModalWidget()->findChild<QTabBar*>())
                    for (int i = 0; i < pTabs->count(); ++i)
                        tabs << pTabs->tabText(i);
            });
        answerer.Plan("Cancel");
        sandbox.Frame()->Action(ID_OPTIONS)->trigger();
        QCOMPARE(answerer.Count(), 1);
        QVERIFY(answerer.Seen().front().startsWith("Options|"));
        QCOMPARE(tabs, QStringList{"Purge/Move"});
        QCOMPARE(view.GetViewState(), ViewState::Results);
        QCOMPARE(view.ActionButton()->text(), strAction);
    }

    // With results shown, the one-tab sheet switched from Move to Purge and
    // closed with OK: the Action button reads "Purge Files", Purge is
    // available and Move is not, and the next Action deletes the file
    // outright (nothing reaches the trash).
    void OptionsWithResultsSwitchedToPurgeRelabelsActionAndCommands()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 0);
        sandbox.SetInt("Settings", "RecycleRadio", 0);
        sandbox.SetInt("Settings", "WarnMe", 0);
        sandbox.Drive().MakeFile("C:\\junk\\gone.tmp", "a");
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        CMainFrame& frame = *sandbox.Frame();
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(view.GetViewState(), ViewState::Results, TIMEOUT_MS);
        QCOMPARE(view.ActionButton()->text(), QStringLiteral("Move Files"));
        QVERIFY(frame.Action(ID_MOVE)->isEnabled());
        QVERIFY(!frame.Action(ID_PURGE)->isEnabled());

        CDialogAnswerer answerer;
        answerer.BeforeAnswer(
            [&]
            {
                for (auto* pRadio :
                     QApplication::activeModalWidget()->findChildren<QRadioButton*>())
                {
                    if (pRadio->text() == QStringLiteral("Purge"))
                        pRadio->click();
                }
            });
        answerer.Plan("OK");
        frame.Action(ID_OPTIONS)->trigger();
        QCOMPARE(answerer.Count(), 1);
        QVERIFY(answerer.Seen().front().startsWith("Options|"));
        QCOMPARE(view.GetViewState(), ViewState::Results);
        QCOMPARE(view.ActionButton()->text(), QStringLiteral("Purge Files"));
        QVERIFY(frame.Action(ID_PURGE)->isEnabled());
        QVERIFY(!frame.Action(ID_MOVE)->isEnabled());
        QCOMPARE(sandbox.GetInt("Settings", "Move", -1), 1);

        QTest::mouseClick(view.ActionButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(view.GetViewState(), ViewState::Idle, TIMEOUT_MS);
        QVERIFY(!sandbox.Drive().Exists("C:\\junk\\gone.tmp"));
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(sandbox.Drive().Root()))
            QVERIFY2(entry.path().filename() != "gone.tmp", entry.path().c_str());
    }

    void SecondCopyShowsTheFirstAndEnds()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        QVERIFY(sandbox.Start() != nullptr);
        CMainFrame& frame = *sandbox.Frame();
        frame.showMinimized();
        QTRY_VERIFY(frame.isMinimized());
        QCOMPARE(RunSecondCopy({QString::fromLatin1(INVISIBLE_TOKEN)}, false), 0);
        QTRY_VERIFY(!frame.isMinimized());
        QVERIFY(frame.isVisible());
        // Only one copy owns the store: this one is still running.
        QVERIFY(sandbox.Frame() != nullptr);
    }

    void SecondCopyStopsTheFirstCopysUnattendedChain()
    {
        CAppSandbox sandbox;
        sandbox.SkipFirstRun();
        sandbox.SetInt("Settings", "Move", 1);
        sandbox.SetInt("Settings", "WarnMe", 0);
        MakeCandidates(sandbox.Drive(), 10, 100);
        QVERIFY(sandbox.Start(INVISIBLE_TOKEN) != nullptr);
        CMainFrame& frame = *sandbox.Frame();
        QVERIFY(!frame.isVisible());

        int nSecondExit = -3;
        bool bRan = false;
        connect(&frame, &CMainFrame::MessageHandled,
                [&](uint32_t nMessage)
                {
                    if (nMessage != WM_ADD_CANDIDATE || bRan)
                        return;
                    bRan = true;
                    // The search waits for this thread meanwhile.
                    nSecondExit = RunSecondCopy({}, true);
                    // The request is answered before any further message:
                    // the frame hears of none until the window shows.
                    CHeldDrains held;
                    frame.installEventFilter(&held);
                    QTRY_VERIFY_WITH_TIMEOUT(frame.isVisible(), TIMEOUT_MS);
                    frame.removeEventFilter(&held);
                    QCoreApplication::postEvent(&frame, new QEvent(CFramePort::DrainEventType()));
                });
        QTRY_VERIFY_WITH_TIMEOUT(bRan, TIMEOUT_MS);
        QCOMPARE(nSecondExit, 0);
        QVERIFY(frame.isVisible());
        CScrubixView& view = sandbox.View();
        QTRY_COMPARE_WITH_TIMEOUT(view.GetViewState(), ViewState::Results, TIMEOUT_MS);
        QTest::qWait(1000);
        QCOMPARE(view.GetViewState(), ViewState::Results); // no disposal started
        QVERIFY(sandbox.Frame() != nullptr);
        QCOMPARE(CountLeft(sandbox.Drive(), 10, 100), 1000);
    }
};

QTEST_MAIN(LifecycleTest)
#include "LifecycleTest.moc"
