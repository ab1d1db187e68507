// The Purge Warning through its real widgets: Yes/No, keys and the close
// box, the tick that is reported only with Yes, and what it does to a real
// purge pass over a sandbox drive and a real settings store: WarnMe = 0 is
// written to the store (not to the document) only when Yes is answered, and a
// No deletes nothing and keeps every row.

#include "ModalAnswer.h"
#include "disposal/CDisposal.h"
#include "platform/IMessagePort.h"
#include "platform/IResultsList.h"
#include "platform/IUserPrompt.h"
#include "platform/Platform.h"
#include "search/CCandidateTable.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "support/CSandboxDrive.h"
#include "ui/qt/dialogs/CPurgeWarningDialog.h"
#include "ui/res/ResourceIds.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <vector>

namespace
{
QPushButton* Button(const QWidget* pDialog, int nId)
{
    return pDialog->findChild<QPushButton*>(QStringLiteral("idc_%1").arg(nId));
}

QCheckBox* Tick(const QWidget* pDialog)
{
    return pDialog->findChild<QCheckBox*>(QStringLiteral("idc_%1").arg(IDC_DONT_SHOW));
}

QString AccessibleName(QWidget* pWidget)
{
    QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(pWidget);
    return pInterface != nullptr ? pInterface->text(QAccessible::Name) : QString();
}

enum EAnswer
{
    YesButton,
    NoButton,
    EnterKey,
    EscKey,
    CloseBox,
};

void Answer(QWidget* pModal, bool bTick, EAnswer eAnswer)
{
    if (bTick)
        QTest::mouseClick(Tick(pModal), Qt::LeftButton);
    switch (eAnswer)
    {
    case YesButton:
        QTest::mouseClick(Button(pModal, ID_RESULT_OK), Qt::LeftButton);
        break;
    case NoButton:
        QTest::mouseClick(Button(pModal, ID_RESULT_CANCEL), Qt::LeftButton);
        break;
    case EnterKey:
        // The tick took the focus; Enter still answers with the default button.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        break;
    case EscKey:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        break;
    case CloseBox:
        pModal->close();
        break;
    }
}

// The window's side of a pass, played by the test thread itself.
class CNoPort : public IMessagePort
{
public:
    void PostMessage(uint32_t, uintptr_t) override {}
};

class CRows : public IResultsList
{
public:
    std::vector<SCandidateRow> m_rows;
    int GetRowCount() override { return static_cast<int>(m_rows.size()); }
    SResultsRow GetRow(int nRow) override
    {
        const SCandidateRow& row = m_rows[nRow];
        return {row.strPath, row.bChecked, row.identity};
    }
    void DeleteRow(int nRow) override { m_rows.erase(m_rows.begin() + nRow); }
    bool IsWindowVisible() override { return true; }
};

// The prompt the window gives the disposing thread: the real dialog.
class CDialogPrompt : public IUserPrompt
{
public:
    void ShowAckTimeout() override {}
    bool ConfirmPurge(bool& bDontShow) override
    {
        ++m_nShown;
        return CPurgeWarningDialog::Confirm(bDontShow);
    }
    int m_nShown = 0;
};
} // namespace

class PurgeWarningDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void answersAndTheTick_data()
    {
        QTest::addColumn<bool>("bTick");
        QTest::addColumn<int>("eAnswer");
        QTest::addColumn<bool>("bYes");
        QTest::addColumn<bool>("bDontShow");
        QTest::newRow("Yes") << false << int(YesButton) << true << false;
        QTest::newRow("Yes, ticked") << true << int(YesButton) << true << true;
        QTest::newRow("Enter, ticked") << true << int(EnterKey) << true << true;
        QTest::newRow("Enter") << false << int(EnterKey) << true << false;
        QTest::newRow("No, ticked") << true << int(NoButton) << false << false;
        QTest::newRow("Esc, ticked") << true << int(EscKey) << false << false;
        QTest::newRow("close box, ticked") << true << int(CloseBox) << false << false;
    }

    void answersAndTheTick()
    {
        QFETCH(bool, bTick);
        QFETCH(int, eAnswer);
        QFETCH(bool, bYes);
        QFETCH(bool, bDontShow);
        AnswerNextModal([&](QWidget* pModal) { Answer(pModal, bTick, EAnswer(eAnswer)); });
        bool bReported = !bDontShow; // must be overwritten
        QCOMPARE(CPurgeWarningDialog::Confirm(bReported), bYes);
        QCOMPARE(bReported, bDontShow);
    }

    void noKeepsTheMemberAsItWas()
    {
        CPurgeWarningDialog warning;
        AnswerNextModal([](QWidget* pModal) { Answer(pModal, true, NoButton); });
        QCOMPARE(warning.exec(), int(QDialog::Rejected));
        QVERIFY(!warning.m_bDontShow);
    }

    void showsTheTextsWithACloseBox()
    {
        CPurgeWarningDialog warning;
        QCOMPARE(warning.windowTitle(), QStringLiteral("Purge Warning!"));
        const Qt::WindowFlags flags = warning.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QStringList groups;
        for (const QGroupBox* pGroup : warning.findChildren<QGroupBox*>())
            groups << pGroup->title();
        QCOMPARE(groups, QStringList({QStringLiteral("Please Answer This Important Question"),
                                      QStringLiteral("Reminders")}));
        QStringList texts;
        for (const QLabel* pLabel : warning.findChildren<QLabel*>())
            texts << pLabel->text();
        QCOMPARE(texts,
                 QStringList({QStringLiteral("You are about to permamently delete the checked "
                                             "files...\n\n---> Are you sure you want to do this?"),
                              QStringLiteral("(You can control this warning from the Options "
                                             "dialog box.)")}));
        QCOMPARE(Button(&warning, ID_RESULT_OK)->text(), QStringLiteral("Yes"));
        QVERIFY(Button(&warning, ID_RESULT_OK)->isDefault());
        QCOMPARE(Button(&warning, ID_RESULT_CANCEL)->text(), QStringLiteral("No"));
        QCOMPARE(Tick(&warning)->text(), QStringLiteral("Don't show this warning in the future."));
        QVERIFY(!Tick(&warning)->isChecked());
    }

    void keyboardOrderAndNames()
    {
        CPurgeWarningDialog warning;
        warning.show();
        QVERIFY(QTest::qWaitForWindowActive(&warning));
        QWidget* order[] = {Button(&warning, ID_RESULT_OK), Button(&warning, ID_RESULT_CANCEL),
                            Tick(&warning), Button(&warning, ID_RESULT_OK)};
        QTRY_COMPARE(QApplication::focusWidget(), order[0]);
        for (size_t i = 1; i < std::size(order); ++i)
        {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
        // Space on the focused tick toggles it.
        Tick(&warning)->setFocus();
        QTest::keyClick(Tick(&warning), Qt::Key_Space);
        QVERIFY(Tick(&warning)->isChecked());
        QCOMPARE(AccessibleName(Tick(&warning)),
                 QStringLiteral("Don't show this warning in the future."));
        QCOMPARE(AccessibleName(Button(&warning, ID_RESULT_OK)), QStringLiteral("Yes"));
        QCOMPARE(AccessibleName(Button(&warning, ID_RESULT_CANCEL)), QStringLiteral("No"));
    }

    void purgePassStoresTheTickOnlyWithYes_data()
    {
        QTest::addColumn<int>("eAnswer");
        QTest::addColumn<bool>("bTick");
        QTest::addColumn<int>("nStoredWarnMe");
        QTest::addColumn<bool>("bPurged");
        QTest::newRow("Yes, ticked") << int(YesButton) << true << 0 << true;
        QTest::newRow("Yes") << int(YesButton) << false << 1 << true;
        QTest::newRow("No, ticked") << int(NoButton) << true << 1 << false;
        QTest::newRow("Esc, ticked") << int(EscKey) << true << 1 << false;
    }

    void purgePassStoresTheTickOnlyWithYes()
    {
        QFETCH(int, eAnswer);
        QFETCH(bool, bTick);
        QFETCH(int, nStoredWarnMe);
        QFETCH(bool, bPurged);
        CSandboxDrive drive;
        drive.MakeFile("C:\\junk\\a.tmp");
        drive.MakeFile("C:\\junk\\b.bak");
        drive.MakeFile("C:\\junk\\keep.tmp");
        SPlatform platform = CreatePlatform();
        CSettingsStore store(*platform.pRegistry);
        QVERIFY(store.SetBaseKey(ERegistryHive::LocalMachine, ComposeBaseKeyPath()));
        QVERIFY(store.SetInt("Settings", "WarnMe", 1));
        CScrubixDoc doc(store, *platform.pFileSystem);
        doc.LoadSettings();
        QCOMPARE(doc.WarnMe, 1);

        CNoPort port;
        CRows rows;
        CDialogPrompt prompt;
        CLaunchMode launchMode;
        CDisposal disposal(SDisposalServices{*platform.pFileSystem, *platform.pShell,
                                             *platform.pClock, port, prompt, rows, store,
                                             launchMode});
        for (const char* pszPath : {"C:\\junk\\a.tmp", "C:\\junk\\b.bak", "C:\\junk\\keep.tmp"})
        {
            SCandidateRow row;
            row.strPath = pszPath;
            row.bChecked = std::string(pszPath) != "C:\\junk\\keep.tmp";
            uint32_t nHigh = 0;
            uint32_t nLow = 0;
            platform.pFileSystem->OpenForSize(row.strPath, nHigh, nLow, row.identity);
            rows.m_rows.push_back(row);
        }
        // The snapshot Start would take, for a purge with the warning on.
        disposal.m_nMove = 1;
        disposal.m_bWarnMe = doc.WarnMe;
        disposal.m_bAnomaly = 0;

        AnswerNextModal([&](QWidget* pModal) { Answer(pModal, bTick, EAnswer(eAnswer)); });
        const int32_t nResult = disposal.PurgePass(); // this thread plays the disposing thread
        QCOMPARE(prompt.m_nShown, 1);
        QCOMPARE(nResult, bPurged ? CDisposal::RESULT_DONE : CDisposal::RESULT_PURGE_DECLINED);
        QCOMPARE(drive.Exists("C:\\junk\\a.tmp"), !bPurged);
        QCOMPARE(drive.Exists("C:\\junk\\b.bak"), !bPurged);
        QVERIFY(drive.Exists("C:\\junk\\keep.tmp"));
        QCOMPARE(rows.m_rows.size(), bPurged ? size_t{0} : size_t{3});
        // The document keeps its value for this run; the store has the answer.
        QCOMPARE(doc.WarnMe, 1);
        QCOMPARE(store.GetInt("Settings", "WarnMe", 7), nStoredWarnMe);

        // The next run reads the store afresh from its file.
        SPlatform nextRun = CreatePlatform();
        CSettingsStore nextStore(*nextRun.pRegistry);
        QVERIFY(nextStore.SetBaseKey(ERegistryHive::LocalMachine, ComposeBaseKeyPath()));
        CScrubixDoc nextDoc(nextStore, *nextRun.pFileSystem);
        nextDoc.LoadSettings();
        QCOMPARE(nextDoc.WarnMe, nStoredWarnMe);
    }
};

QTEST_MAIN(PurgeWarningDialogTest)
#include "PurgeWarningDialogTest.moc"
