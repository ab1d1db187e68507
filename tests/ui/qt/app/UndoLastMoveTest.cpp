// Undo Last Move through the real window: the Results menu's item and Ctrl+Z,
// available in Idle only when a pass is on record, after the program was
// started again and after scrubix-dispose moved the files, with its report in
// the program's message box.
#include "AppTestSupport.h"
#include "ui/qt/app/CMainFrame.h"
#include "ui/qt/app/CScrubixView.h"
#include "ui/res/ResultsMenuTemplate.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <filesystem>

namespace
{
constexpr int PASS_TIMEOUT_MS = 20000;

QMenu* ResultsMenu(CMainFrame& frame)
{
    for (QAction* pMenu : frame.menuBar()->actions())
        if (pMenu->menu() != nullptr && pMenu->text() == QString::fromUtf8(RESULTS_MENU_TEXT))
            return pMenu->menu();
    return nullptr;
}

void PrepareMove(CAppSandbox& sandbox, int nRecycleRadio)
{
    sandbox.SkipFirstRun();
    sandbox.SetInt("Settings", "Move", 0);
    sandbox.SetInt("Settings", "RecycleRadio", nRecycleRadio);
    sandbox.SetString("Settings", "MovePath", "C:\\Moved");
    sandbox.Drive().MakeFolder("C:\\Moved\\");
    sandbox.Drive().MakeFile("C:\\work\\a.tmp", "a");
    sandbox.Drive().MakeFile("C:\\work\\b.bak", "b");
}
} // namespace

class UndoLastMoveTest : public QObject
{
    Q_OBJECT
private slots:
    void MenuItemUndoesAFolderMoveAfterARestart()
    {
        CAppSandbox sandbox;
        PrepareMove(sandbox, 1);
        QVERIFY(sandbox.Start() != nullptr);
        CMainFrame* pFrame = sandbox.Frame();
        CScrubixView& view = sandbox.View();
        QAction* pUndo = pFrame->ListAction(EListCommand::UndoLastMove);
        QVERIFY(pUndo != nullptr);
        // On the Results menu, last, with Ctrl+Z.
        QMenu* pResults = ResultsMenu(*pFrame);
        QVERIFY(pResults != nullptr);
        QCOMPARE(pResults->actions().back(), pUndo);
        QCOMPARE(pUndo->text(), QStringLiteral("Undo &Last Move"));
        QCOMPARE(pUndo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QVERIFY(!pUndo->isEnabled()); // nothing on record yet

        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(view.GetViewState() == ViewState::Results, PASS_TIMEOUT_MS);
        QVERIFY(!pUndo->isEnabled()); // Idle only
        QTest::mouseClick(view.ActionButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(view.GetViewState() == ViewState::Idle, PASS_TIMEOUT_MS);
        QVERIFY(sandbox.Drive().Exists("C:\\Moved\\a.tmp"));
        QVERIFY(pUndo->isEnabled());

        // A new program finds the record.
        sandbox.Stop();
        QVERIFY(sandbox.Start() != nullptr);
        pFrame = sandbox.Frame();
        pUndo = pFrame->ListAction(EListCommand::UndoLastMove);
        QVERIFY(pUndo->isEnabled());
        sandbox.Drive().MakeFile("C:\\work\\b.bak", "made since");
        CDialogAnswerer answerer;
        pUndo->trigger();
        QTRY_COMPARE(answerer.Count(), 1);
        const QString strSeen = answerer.Seen().front();
        QVERIFY2(strSeen.startsWith("Scrubix|1 file was put back where it was.\n\n"),
                 qPrintable(strSeen));
        QVERIFY2(strSeen.contains("C:\\work\\b.bak: its original path is taken now"),
                 qPrintable(strSeen));
        QCOMPARE(QString::fromStdString(sandbox.Drive().ReadFile("C:\\work\\a.tmp")),
                 QStringLiteral("a"));
        QCOMPARE(QString::fromStdString(sandbox.Drive().ReadFile("C:\\work\\b.bak")),
                 QStringLiteral("made since"));
        QVERIFY(sandbox.Drive().Exists("C:\\Moved\\b.bak"));
        // b.bak stays listed for another try.
        QVERIFY(pUndo->isEnabled());
    }

    void CtrlZUndoesWhatScrubixDisposeMovedToTheTrash()
    {
        CAppSandbox sandbox;
        PrepareMove(sandbox, 0);
        QProcess tool;
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.setWorkingDirectory(QString::fromStdString(sandbox.Drive().DriveFolder().string()));
        tool.start(
            ToolsFolder() + QStringLiteral("/scrubix-dispose"),
            {QStringLiteral("--move-to-trash"), QStringLiteral("--quiet"), QStringLiteral("C:")});
        QVERIFY(tool.waitForFinished(PASS_TIMEOUT_MS));
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY(!sandbox.Drive().Exists("C:\\work\\a.tmp"));

        QVERIFY(sandbox.Start() != nullptr);
        CMainFrame* pFrame = sandbox.Frame();
        QVERIFY(QTest::qWaitForWindowActive(pFrame));
        QVERIFY(pFrame->ListAction(EListCommand::UndoLastMove)->isEnabled());
        CDialogAnswerer answerer;
        sandbox.View().SearchButton()->setFocus();
        QTest::keyClick(sandbox.View().SearchButton(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen().front(),
                 QStringLiteral("Scrubix|2 files were put back where they were."));
        QVERIFY(sandbox.Drive().Exists("C:\\work\\a.tmp"));
        QVERIFY(sandbox.Drive().Exists("C:\\work\\b.bak"));
        QVERIFY(!std::filesystem::exists(sandbox.Drive().HomeFolder() /
                                         ".local/share/Trash/files/a.tmp"));
        QVERIFY(!pFrame->ListAction(EListCommand::UndoLastMove)->isEnabled());
    }

    void AfterAPurgeTheCommandSaysItCannotBeUndone()
    {
        CAppSandbox sandbox;
        PrepareMove(sandbox, 1);
        sandbox.SetInt("Settings", "Move", 1);
        sandbox.SetInt("Settings", "WarnMe", 0);
        QVERIFY(sandbox.Start() != nullptr);
        CScrubixView& view = sandbox.View();
        QTest::mouseClick(view.SearchButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(view.GetViewState() == ViewState::Results, PASS_TIMEOUT_MS);
        QTest::mouseClick(view.ActionButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(view.GetViewState() == ViewState::Idle, PASS_TIMEOUT_MS);
        QVERIFY(!sandbox.Drive().Exists("C:\\work\\a.tmp"));

        QAction* pUndo = sandbox.Frame()->ListAction(EListCommand::UndoLastMove);
        QVERIFY(pUndo->isEnabled());
        CDialogAnswerer answerer;
        pUndo->trigger();
        QTRY_COMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen().front(),
                 QStringLiteral("Scrubix|The last pass purged its files. A purge cannot be "
                                "undone."));
    }
};

QTEST_MAIN(UndoLastMoveTest)
#include "UndoLastMoveTest.moc"
