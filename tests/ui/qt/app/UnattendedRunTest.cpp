// The built program run where nobody watches: no display (DISPLAY,
// WAYLAND_DISPLAY and QT_QPA_PLATFORM unset), a sandbox drive, and a session
// bus of its own with a stand-in notification server, or none at all. An
// invisible run searches, disposes, writes its report and ends with status 0
// (2 on unreadable settings, 3 when the report could not be written); a
// visible launch ends at once with one line on standard error; the word left
// afterwards reaches the notification server with its "Open Report" action.

#include "ui/rules/UnattendedRun.h"

#include "AppTestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

namespace
{
constexpr int TIMEOUT_MS = 30000;
const QString INVISIBLE_TOKEN = QStringLiteral("-7QX2M9R4TJ6W1HN5");
const QString VISIBLE_TOKEN = QStringLiteral("-A47F19C2D08B6E53");

struct SRun
{
    int nExitCode = -1;
    bool bCrashed = false;
    QString strError; // standard error
    qint64 nElapsedMs = 0;
};

// The program, started in the sandbox's environment without any display.
// The event loop turns meanwhile, so a server in this process can answer.
SRun RunProgram(const QStringList& arguments, const QString& strBusAddress,
                const QString& strPathFront = QString())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), strBusAddress);
    if (!strPathFront.isEmpty())
        environment.insert(QStringLiteral("PATH"),
                           strPathFront + ':' + environment.value(QStringLiteral("PATH")));
    QProcess program;
    program.setProcessEnvironment(environment);
    SRun run;
    QElapsedTimer clock;
    clock.start();
    program.start(ToolsFolder() + QStringLiteral("/scrubix"), arguments);
    if (!program.waitForStarted(10000))
        return run;
    while (program.state() != QProcess::NotRunning && clock.elapsed() < TIMEOUT_MS)
        QTest::qWait(20);
    if (program.state() != QProcess::NotRunning)
    {
        program.kill();
        program.waitForFinished();
        return run;
    }
    run.nElapsedMs = clock.elapsed();
    run.bCrashed = program.exitStatus() == QProcess::CrashExit;
    run.nExitCode = program.exitCode();
    run.strError = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}

// A session bus address where no bus listens.
QString NoBus(const CSandboxDrive& drive)
{
    return QStringLiteral("unix:path=") +
           QString::fromStdString((drive.Root() / "no-bus-here").string());
}

// Two candidates of 1500 bytes each in C:\junk, one file kept; a report in C:\prog.
void PrepareRun(CAppSandbox& sandbox, int32_t nMove, int32_t nRecycleRadio)
{
    sandbox.SkipFirstRun();
    sandbox.SetInt("Settings", "Move", nMove);
    sandbox.SetInt("Settings", "RecycleRadio", nRecycleRadio);
    sandbox.SetString("Settings", "MovePath", "C:\\Moved");
    sandbox.SetInt("Settings", "WarnMe", 1);
    sandbox.SetInt("Settings", "Anomaly", 1);
    sandbox.SetString("Settings", "Path", "C:\\prog");
    sandbox.Drive().MakeFolder("C:\\prog\\");
    sandbox.Drive().MakeFolder("C:\\Moved\\");
    sandbox.Drive().MakeFile("C:\\junk\\a.tmp", std::string(1500, 'a'));
    sandbox.Drive().MakeFile("C:\\junk\\b.bak", std::string(1500, 'b'));
    sandbox.Drive().MakeFile("C:\\junk\\keep.txt");
}
} // namespace

// The desktop's notification server as far as the program uses it: it
// records each notification and, when told to, answers with the action.
class CNotificationStandIn : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct SNotice
    {
        QString strApp;
        QString strSummary;
        QString strBody;
        QStringList actions;
    };
    QList<SNotice> m_notices;
    QString m_strAnswer; // the action to invoke at once; empty: close the notice

public slots:
    QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }
    uint Notify(const QString& strApp, uint /*nReplaces*/, const QString& /*strIcon*/,
                const QString& strSummary, const QString& strBody, const QStringList& actions,
                const QVariantMap& /*hints*/, int /*nTimeout*/)
    {
        m_notices.append({strApp, strSummary, strBody, actions});
        const uint nId = static_cast<uint>(m_notices.size());
        QTimer::singleShot(0, this,
                           [this, nId]
                           {
                               if (m_strAnswer.isEmpty())
                                   emit NotificationClosed(nId, 2);
                               else
                                   emit ActionInvoked(nId, m_strAnswer);
                           });
        return nId;
    }

signals:
    void ActionInvoked(uint nId, const QString& strAction);
    void NotificationClosed(uint nId, uint nReason);
};

// A session bus of the test's own (dbus-daemon), ended with the test.
class CPrivateBus
{
public:
    CPrivateBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted(5000))
            return;
        QElapsedTimer clock;
        clock.start();
        while (!m_daemon.canReadLine() && clock.elapsed() < 10000)
            m_daemon.waitForReadyRead(100);
        m_strAddress = QString::fromLatin1(m_daemon.readLine()).trimmed();
    }
    ~CPrivateBus()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("stand-in"));
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    const QString& Address() const { return m_strAddress; }

    // Serves the stand-in as org.freedesktop.Notifications on this bus.
    bool Serve(CNotificationStandIn& standIn)
    {
        QDBusConnection bus =
            QDBusConnection::connectToBus(m_strAddress, QStringLiteral("stand-in"));
        return bus.isConnected() &&
               bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &standIn,
                                  QDBusConnection::ExportAllSlots |
                                      QDBusConnection::ExportAllSignals) &&
               bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }

private:
    QProcess m_daemon;
    QString m_strAddress;
};

class UnattendedRunTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(!ToolsFolder().isEmpty(), "SCRUBIX_TOOLS_DIR is not set"); }

    void InvisibleRunWithoutDisplayDisposesAndExitsZero()
    {
        CAppSandbox sandbox;
        PrepareRun(sandbox, 1, 0);
        const SRun run = RunProgram({INVISIBLE_TOKEN}, NoBus(sandbox.Drive()));
        QVERIFY2(!run.bCrashed, qPrintable(run.strError));
        QCOMPARE(run.nExitCode, EXIT_RUN_OK);
        QVERIFY(!sandbox.Drive().Exists("C:\\junk\\a.tmp"));
        QVERIFY(!sandbox.Drive().Exists("C:\\junk\\b.bak"));
        QVERIFY(sandbox.Drive().Exists("C:\\junk\\keep.txt"));
        QVERIFY(sandbox.Drive().ReadFile("C:\\prog\\anomaly.txt").find("C:\\junk\\a.tmp") !=
                std::string::npos);
        // No session bus: nothing is said and nothing is waited for.
        QVERIFY2(run.nElapsedMs < NOTICE_ACTION_WAIT_MS / 2,
                 qPrintable(QString::number(run.nElapsedMs)));
        QVERIFY2(!run.strError.contains(QStringLiteral("display")), qPrintable(run.strError));
    }

    void VisibleLaunchWithoutDisplayEndsWithOneLine()
    {
        CAppSandbox sandbox;
        PrepareRun(sandbox, 1, 0);
        for (const QStringList& arguments : {QStringList{}, QStringList{VISIBLE_TOKEN}})
        {
            const SRun run = RunProgram(arguments, NoBus(sandbox.Drive()));
            QVERIFY(!run.bCrashed);
            QCOMPARE(run.nExitCode, EXIT_NO_DISPLAY);
            QCOMPARE(run.strError, QString::fromUtf8(NO_DISPLAY_TEXT) + '\n');
        }
        QVERIFY(sandbox.Drive().Exists("C:\\junk\\a.tmp"));
    }

    void ReportThatCannotBeWrittenEndsWithStatusThree()
    {
        CAppSandbox sandbox;
        PrepareRun(sandbox, 1, 0);
        sandbox.SetString("Settings", "Path", "C:\\no such folder");
        const SRun run = RunProgram({INVISIBLE_TOKEN}, NoBus(sandbox.Drive()));
        QVERIFY(!run.bCrashed);
        QCOMPARE(run.nExitCode, EXIT_REPORT_NOT_WRITTEN);
        QVERIFY(!sandbox.Drive().Exists("C:\\junk\\a.tmp")); // the pass itself ran
    }

    void UnreadableSettingsEndAtOnceWithStatusTwo()
    {
        CAppSandbox sandbox;
        PrepareRun(sandbox, 1, 0);
        const std::filesystem::path hive = sandbox.Drive().RegistryFolder() / "HKLM.db";
        std::filesystem::remove(hive);
        std::filesystem::create_directories(hive); // a folder where the hive should be
        const SRun run = RunProgram({INVISIBLE_TOKEN}, NoBus(sandbox.Drive()));
        QVERIFY(!run.bCrashed);
        QCOMPARE(run.nExitCode, EXIT_SETTINGS_UNREADABLE);
        QCOMPARE(run.strError, QString::fromUtf8(SETTINGS_UNREADABLE_TEXT) + '\n');
        QVERIFY(sandbox.Drive().Exists("C:\\junk\\a.tmp"));
    }

    void NotificationNamesThePassAndOpensTheReportOnItsAction()
    {
        CAppSandbox sandbox;
        PrepareRun(sandbox, 1, 0);
        CPrivateBus bus;
        QVERIFY(!bus.Address().isEmpty());
        CNotificationStandIn standIn;
        standIn.m_strAnswer = QStringLiteral("open-report");
        QVERIFY(bus.Serve(standIn));
        // The opener the program starts records what it was asked to open.
        const std::filesystem::path bin = sandbox.Drive().Root() / "bin";
        const std::filesystem::path opened = sandbox.Drive().Root() / "opened.txt";
        std::filesystem::create_directories(bin);
        std::ofstream(bin / "xdg-open")
            << "#!/bin/sh\nprintf '%s\\n' \"$1\" > '" << opened.string() << "'\n";
        std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);

        const SRun run =
            RunProgram({INVISIBLE_TOKEN}, bus.Address(), QString::fromStdString(bin.string()));
        QCOMPARE(run.nExitCode, EXIT_RUN_OK);
        QCOMPARE(standIn.m_notices.size(), 1);
        const CNotificationStandIn::SNotice& notice = standIn.m_notices.constFirst();
        QCOMPARE(notice.strApp, QStringLiteral("Scrubix"));
        QCOMPARE(notice.strSummary, QStringLiteral("Scrubix"));
        QCOMPARE(notice.strBody, QStringLiteral("Scrubix purged 2 files (3K bytes)."));
        QCOMPARE(notice.actions,
                 (QStringList{QStringLiteral("open-report"), QStringLiteral("Open Report")}));
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(opened), 5000);
        std::ifstream openedFile(opened);
        std::string strOpened;
        std::getline(openedFile, strOpened);
        QCOMPARE(
            QString::fromStdString(strOpened),
            QString::fromStdString(sandbox.Drive().HostPath("C:\\prog\\anomaly.txt").string()));
    }

    void NotificationForMovesToTheTrashAndToAFolder()
    {
        for (const int32_t nRecycleRadio : {0, 1})
        {
            CAppSandbox sandbox;
            PrepareRun(sandbox, 0, nRecycleRadio);
            sandbox.SetInt("Settings", "Anomaly", 0); // no report: no action, no wait
            CPrivateBus bus;
            CNotificationStandIn standIn;
            QVERIFY(bus.Serve(standIn));
            const SRun run = RunProgram({INVISIBLE_TOKEN}, bus.Address());
            QCOMPARE(run.nExitCode, EXIT_RUN_OK);
            QCOMPARE(standIn.m_notices.size(), 1);
            const QString strWhere =
                nRecycleRadio == 0
                    ? QStringLiteral("the Trash")
                    : QString::fromStdString(sandbox.Drive().HostPath("C:\\Moved").string());
            QCOMPARE(standIn.m_notices.constFirst().strBody,
                     QStringLiteral("Scrubix moved 2 files (3K bytes) to ") + strWhere + '.');
            QVERIFY(standIn.m_notices.constFirst().actions.isEmpty());
            QVERIFY(!sandbox.Drive().Exists("C:\\junk\\a.tmp"));
        }
    }
};

QTEST_MAIN(UnattendedRunTest)
#include "UnattendedRunTest.moc"
