// The About box's links through the real widgets: hover and capture, the
// launched second, the mail form, the visited colour across About boxes of one
// run, the beep when the shell cannot open the target, and the keyboard (OK
// first, the links by Tab). The platform's own shell runs a stand-in
// "xdg-open" found on PATH that logs its target and exits as told.

#include "platform/IShell.h"
#include "platform/posix/CPosixShell.h"
#include "ui/qt/dialogs/CAboutDialog.h"
#include "ui/qt/dialogs/CStaticLink.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

namespace
{
// Records every "open"; answers as told.
class CRecordingOpenShell : public IShell
{
public:
    bool MoveToTrash(const std::string&, const SFileIdentity&) override { return false; }
    bool Open(const std::string& strTarget) override
    {
        m_opened.push_back(strTarget);
        return m_bSucceed;
    }

    bool m_bSucceed = true;
    std::vector<std::string> m_opened;
};

// An "xdg-open" first on PATH for as long as it lives: appends its target to
// a log and exits with the status last set.
class CStandInOpener
{
public:
    CStandInOpener() : m_strSavedPath(qgetenv("PATH"))
    {
        QFile script(m_dir.filePath(QStringLiteral("xdg-open")));
        script.open(QIODevice::WriteOnly);
        script.write(
            QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\nexit \"$(cat '%2')\"\n")
                .arg(LogPath(), StatusPath())
                .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        SetExitStatus(0);
        qputenv("PATH", m_dir.path().toUtf8() + ':' + m_strSavedPath);
    }
    ~CStandInOpener() { qputenv("PATH", m_strSavedPath); }

    void SetExitStatus(int nStatus)
    {
        QFile status(StatusPath());
        status.open(QIODevice::WriteOnly | QIODevice::Truncate);
        status.write(QByteArray::number(nStatus));
    }
    // The targets it was started with, one a line.
    QStringList Opened() const
    {
        QFile log(LogPath());
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QString LogPath() const { return m_dir.filePath(QStringLiteral("opened.log")); }
    QString StatusPath() const { return m_dir.filePath(QStringLiteral("status")); }

    QTemporaryDir m_dir;
    QByteArray m_strSavedPath;
};

// What the application object holds for a run.
struct SRunFlags
{
    int bEmailVisited = 0;
    int bWebVisited = 0;
};

const QString kHelpTarget = QStringLiteral("file:///usr/share/scrubix/help/index.html");

void MoveMouse(QWidget* pWidget, QPoint point)
{
    // A plain move without a button, delivered to the grabber when there is one.
    QWidget* pTarget = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : pWidget;
    const QPoint local = pTarget->mapFromGlobal(pWidget->mapToGlobal(point));
    QMouseEvent move(QEvent::MouseMove, local, pTarget->mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(pTarget, &move);
}

QColor TextColour(const QLabel* pLabel)
{
    return pLabel->palette().color(QPalette::WindowText);
}
} // namespace

class AboutDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void ShowsTheTemplateTexts()
    {
        CRecordingOpenShell shell;
        SRunFlags flags;
        CAboutDialog about(shell, flags.bEmailVisited, flags.bWebVisited, kHelpTarget);
        QCOMPARE(about.windowTitle(), QStringLiteral("About Scrubix"));
        QStringList texts;
        for (const QLabel* pLabel : about.findChildren<QLabel*>())
            texts << pLabel->text();
        QVERIFY(texts.contains(QStringLiteral("Scrubix Version 2.4")));
        QVERIFY(texts.contains(QStringLiteral("Go ahead, save a Meg!")));
        QVERIFY(texts.contains(QStringLiteral("A 32 bit application")));
        QCOMPARE(about.EmailLink()->text(), QStringLiteral("team@scrubix.invalid"));
        QVERIFY(about.EmailLink()->font().underline());
        QVERIFY(about.WebLink()->font().underline());
        QCOMPARE(TextColour(about.EmailLink()), QColor(0, 0, 255));
    }

    void HoverTakesTheCaptureAndLeavingReleasesIt()
    {
        CRecordingOpenShell shell;
        SRunFlags flags;
        CAboutDialog about(shell, flags.bEmailVisited, flags.bWebVisited, kHelpTarget);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        CStaticLink* pLink = about.WebLink();

        MoveMouse(pLink, pLink->rect().center());
        QVERIFY(pLink->IsCaptured());
        QCOMPARE(QWidget::mouseGrabber(), pLink);
        QCOMPARE(pLink->cursor().shape(), Qt::PointingHandCursor);

        // Leaving is noticed through the capture, even over another control.
        MoveMouse(pLink, QPoint(-40, -40));
        QVERIFY(!pLink->IsCaptured());
        QVERIFY(QWidget::mouseGrabber() == nullptr);
        QCOMPARE(pLink->cursor().shape(), Qt::ArrowCursor);
    }

    void MailLinkOpensTheMailtoFormEachTime()
    {
        CRecordingOpenShell shell;
        SRunFlags flags;
        CAboutDialog about(shell, flags.bEmailVisited, flags.bWebVisited, kHelpTarget);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.EmailLink(), Qt::LeftButton);
        QTest::mouseClick(about.EmailLink(), Qt::LeftButton);
        const std::vector<std::string> expected(2, "mailto:team@scrubix.invalid");
        QCOMPARE(shell.m_opened, expected);

        QTest::mouseClick(about.WebLink(), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(shell.m_opened.back()), kHelpTarget);
    }

    void MovesAreIgnoredForOneSecondAfterAClick()
    {
        CRecordingOpenShell shell;
        SRunFlags flags;
        CAboutDialog about(shell, flags.bEmailVisited, flags.bWebVisited, kHelpTarget);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        CStaticLink* pLink = about.EmailLink();
        QTest::mouseClick(pLink, Qt::LeftButton);
        QVERIFY(pLink->IsLaunched());
        QVERIFY(QWidget::mouseGrabber() == nullptr);

        MoveMouse(pLink, pLink->rect().center());
        QVERIFY(!pLink->IsCaptured());
        QCOMPARE(pLink->cursor().shape(), Qt::ArrowCursor);

        QTRY_VERIFY_WITH_TIMEOUT(!pLink->IsLaunched(), 2000);
        MoveMouse(pLink, pLink->rect().center());
        QVERIFY(pLink->IsCaptured());
        pLink->releaseMouse();
    }

    void VisitedLastsForTheRunNotBeyond()
    {
        CRecordingOpenShell shell;
        SRunFlags run;
        {
            CAboutDialog first(shell, run.bEmailVisited, run.bWebVisited, kHelpTarget);
            first.show();
            QVERIFY(QTest::qWaitForWindowExposed(&first));
            QTest::mouseClick(first.WebLink(), Qt::LeftButton);
            QCOMPARE(TextColour(first.WebLink()), QColor(128, 0, 128));
            QCOMPARE(TextColour(first.EmailLink()), QColor(0, 0, 255));
        }
        QCOMPARE(run.bWebVisited, 1);
        CAboutDialog second(shell, run.bEmailVisited, run.bWebVisited, kHelpTarget);
        QCOMPARE(TextColour(second.WebLink()), QColor(128, 0, 128));
        QCOMPARE(TextColour(second.EmailLink()), QColor(0, 0, 255));

        // A new run starts with fresh flags: both links blue again.
        SRunFlags restarted;
        CAboutDialog afterRestart(shell, restarted.bEmailVisited, restarted.bWebVisited,
                                  kHelpTarget);
        QCOMPARE(TextColour(afterRestart.WebLink()), QColor(0, 0, 255));
    }

    void FailedLaunchBeepsAndStaysUnvisited()
    {
        CRecordingOpenShell shell;
        shell.m_bSucceed = false;
        SRunFlags flags;
        CAboutDialog about(shell, flags.bEmailVisited, flags.bWebVisited, kHelpTarget);
        int nBeeps = 0;
        about.WebLink()->SetBeep([&] { ++nBeeps; });
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.WebLink(), Qt::LeftButton);
        QCOMPARE(nBeeps, 1);
        QCOMPARE(flags.bWebVisited, 0);
        QCOMPARE(TextColour(about.WebLink()), QColor(0, 0, 255));
        QCOMPARE(shell.m_opened.size(), size_t{1});
    }

    void KeyboardReachesBothLinksAndOk()
    {
        CRecordingOpenShell shell;
        SRunFlags flags;
        CAboutDialog about(shell, flags.bEmailVisited, flags.bWebVisited, kHelpTarget);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QVERIFY(about.EmailLink()->focusPolicy() & Qt::TabFocus);
        QVERIFY(!about.EmailLink()->accessibleName().isEmpty());
        about.WebLink()->setFocus();
        QTest::keyClick(about.WebLink(), Qt::Key_Space);
        QCOMPARE(QString::fromStdString(shell.m_opened.back()), kHelpTarget);

        QTest::keyClick(&about, Qt::Key_Escape);
        QVERIFY(!about.isVisible());
    }

    void OpensWithOkFocusedAndEnterClosesWithoutOpening();
    void LinksTakeTheFocusByTabShowItAndOpenWithEnter();
    void AnOpenerThatFailsLeavesTheLinkUnvisitedWithABeep();
};

void AboutDialogTest::OpensWithOkFocusedAndEnterClosesWithoutOpening()
{
    CStandInOpener opener;
    CPosixShell shell{CDriveMap{}};
    SRunFlags flags;
    CAboutDialog about(shell, flags.bEmailVisited, flags.bWebVisited, kHelpTarget);
    about.show();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    auto* pOk = qobject_cast<QPushButton*>(QApplication::focusWidget());
    QVERIFY(pOk != nullptr);
    QCOMPARE(pOk->text(), QStringLiteral("OK"));
    QVERIFY(pOk->isDefault());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
    QTest::qWait(300); // an opener started by mistake would have logged by now
    QVERIFY(opener.Opened().isEmpty());
}

void AboutDialogTest::LinksTakeTheFocusByTabShowItAndOpenWithEnter()
{
    CStandInOpener opener;
    CPosixShell shell{CDriveMap{}};
    SRunFlags flags;
    CAboutDialog about(shell, flags.bEmailVisited, flags.bWebVisited, kHelpTarget);
    about.show();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    CStaticLink* pLink = about.EmailLink();
    QCOMPARE(pLink->focusPolicy(), Qt::TabFocus);
    QCOMPARE(pLink->accessibleName(), pLink->text());
    const QImage unfocused = pLink->grab().toImage();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // from OK round to the first link
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(pLink));
    QVERIFY(pLink->grab().toImage() != unfocused); // the focus mark
    QTest::keyClick(pLink, Qt::Key_Return);
    QVERIFY(about.isVisible());
    QTRY_COMPARE(opener.Opened(), QStringList{QStringLiteral("mailto:team@scrubix.invalid")});
    QTRY_COMPARE(flags.bEmailVisited, 1);

    QTest::keyClick(pLink, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(about.WebLink()));
    QTest::keyClick(about.WebLink(), Qt::Key_Space);
    QTRY_COMPARE(opener.Opened().size(), qsizetype{2});
    QCOMPARE(opener.Opened().back(), kHelpTarget);
}

void AboutDialogTest::AnOpenerThatFailsLeavesTheLinkUnvisitedWithABeep()
{
    CStandInOpener opener;
    opener.SetExitStatus(3); // xdg-open: "the file was not found", say
    CPosixShell shell{CDriveMap{}};
    SRunFlags flags;
    CAboutDialog about(shell, flags.bEmailVisited, flags.bWebVisited, kHelpTarget);
    int nBeeps = 0;
    about.WebLink()->SetBeep([&] { ++nBeeps; });
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    QTest::mouseClick(about.WebLink(), Qt::LeftButton);
    QTRY_COMPARE(nBeeps, 1);
    QCOMPARE(opener.Opened(), QStringList{kHelpTarget});
    QCOMPARE(flags.bWebVisited, 0);
    QCOMPARE(TextColour(about.WebLink()), QColor(0, 0, 255));

    // The same link opens once the opener succeeds.
    opener.SetExitStatus(0);
    QTRY_VERIFY_WITH_TIMEOUT(!about.WebLink()->IsLaunched(), 2000);
    QTest::mouseClick(about.WebLink(), Qt::LeftButton);
    QTRY_COMPARE(flags.bWebVisited, 1);
    QCOMPARE(TextColour(about.WebLink()), QColor(128, 0, 128));
    QCOMPARE(nBeeps, 1);
}

QTEST_MAIN(AboutDialogTest)
#include "AboutDialogTest.moc"
