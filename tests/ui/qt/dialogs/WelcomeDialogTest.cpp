// The first-start Welcome dialog through its real widgets: the keys and
// buttons and the results they give, help that leaves the dialog open, the
// texts, the frame without a close box, the keyboard order and the names
// assistive technology reads.

#include "ModalAnswer.h"
#include "platform/IShell.h"
#include "ui/qt/dialogs/CWelcomeDialog.h"
#include "ui/res/ResourceIds.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

namespace
{
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

const QString kHelp = QStringLiteral("file:///usr/share/scrubix/help/index.html#dispose");

QPushButton* Button(const QWidget* pDialog, int nId)
{
    return pDialog->findChild<QPushButton*>(QStringLiteral("idc_%1").arg(nId));
}

QString AccessibleName(QWidget* pWidget)
{
    QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(pWidget);
    return pInterface != nullptr ? pInterface->text(QAccessible::Name) : QString();
}
} // namespace

class WelcomeDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void keysAndButtonsGiveTheChoice_data()
    {
        QTest::addColumn<int>("nKey");
        QTest::addColumn<int>("nButton");
        QTest::addColumn<bool>("bMove");
        QTest::newRow("Enter purges") << int(Qt::Key_Return) << 0 << false;
        QTest::newRow("keypad Enter purges") << int(Qt::Key_Enter) << 0 << false;
        QTest::newRow("Esc moves") << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("deletion button") << 0 << ID_RESULT_OK << false;
        QTest::newRow("recycle bin button") << 0 << ID_RESULT_CANCEL << true;
    }

    void keysAndButtonsGiveTheChoice()
    {
        QFETCH(int, nKey);
        QFETCH(int, nButton);
        QFETCH(bool, bMove);
        CRecordingOpenShell shell;
        CWelcomeDialog welcome(shell, kHelp);
        AnswerNextModal(
            [&](QWidget* pModal)
            {
                if (nKey != 0)
                    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                                : pModal,
                                    Qt::Key(nKey));
                else
                    QTest::mouseClick(Button(pModal, nButton), Qt::LeftButton);
            });
        const int nResult = welcome.exec();
        QCOMPARE(CWelcomeDialog::ChoosesMove(nResult), bMove);
        QCOMPARE(nResult, bMove ? int(QDialog::Rejected) : int(QDialog::Accepted));
        QVERIFY(shell.m_opened.empty());
    }

    void helpOpensThePageAndTheDialogStaysOpen()
    {
        CRecordingOpenShell shell;
        CWelcomeDialog welcome(shell, kHelp);
        int nBeeps = 0;
        welcome.SetBeep([&] { ++nBeeps; });
        bool bOpenAfterHelp = false;
        AnswerNextModal(
            [&](QWidget* pModal)
            {
                QTest::mouseClick(Button(pModal, IDC_WELCOME_HELP), Qt::LeftButton);
                QTest::qWait(50);
                bOpenAfterHelp = pModal->isVisible();
                // A failed launch beeps, and the dialog still stays.
                shell.m_bSucceed = false;
                Button(pModal, IDC_WELCOME_HELP)->setFocus();
                QTest::keyClick(Button(pModal, IDC_WELCOME_HELP), Qt::Key_Space);
                bOpenAfterHelp = bOpenAfterHelp && pModal->isVisible();
                QTest::mouseClick(Button(pModal, ID_RESULT_CANCEL), Qt::LeftButton);
            });
        QCOMPARE(welcome.exec(), int(QDialog::Rejected));
        QVERIFY(bOpenAfterHelp);
        const std::vector<std::string> expected(2, kHelp.toStdString());
        QCOMPARE(shell.m_opened, expected);
        QCOMPARE(nBeeps, 1);
    }

    void showsTheTextsInAFrameWithoutCloseBox()
    {
        CRecordingOpenShell shell;
        CWelcomeDialog welcome(shell, kHelp);
        QCOMPARE(welcome.windowTitle(), QStringLiteral("Welcome to Scrubix!"));
        const Qt::WindowFlags flags = welcome.windowFlags();
        QVERIFY(flags & Qt::WindowTitleHint);
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & Qt::WindowSystemMenuHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));

        QCOMPARE(Button(&welcome, ID_RESULT_OK)->text(),
                 QStringLiteral("I Will Try Deletion Mode"));
        QVERIFY(Button(&welcome, ID_RESULT_OK)->isDefault());
        QCOMPARE(Button(&welcome, ID_RESULT_CANCEL)->text(),
                 QStringLiteral("I Just Want to Move Files to the Recycle Bin"));
        QCOMPARE(Button(&welcome, IDC_WELCOME_HELP)->text(), QStringLiteral("I Need Help..."));
        QStringList texts;
        for (const QLabel* pLabel : welcome.findChildren<QLabel*>())
            texts << pLabel->text();
        const QStringList expected = {
            QStringLiteral("Scrubix's usual operation is to search your drive for candidate "
                           "unwanted files, show you the search results and then let you choose "
                           "to Delete them (or cancel)."),
            QStringLiteral("YOU ARE ALWAYS PROMPTED BEFORE \nANY DELETIONS TAKE PLACE."),
            QStringLiteral("As a new user you might wish to Move the candidate files to the "
                           "Recycle Bin until you are more familiar with how Scrubix behaves. "
                           "It's your choice."),
            QStringLiteral("Use the buttons below to choose the operation you wish to start "
                           "with. You can always change later using the File > Options Dialog "
                           "Box."),
        };
        QCOMPARE(texts, expected);
    }

    void keyboardOrderAndNames()
    {
        CRecordingOpenShell shell;
        CWelcomeDialog welcome(shell, kHelp);
        welcome.show();
        QVERIFY(QTest::qWaitForWindowActive(&welcome));
        const int order[] = {ID_RESULT_OK, ID_RESULT_CANCEL, IDC_WELCOME_HELP, ID_RESULT_OK};
        QTRY_COMPARE(QApplication::focusWidget(), Button(&welcome, order[0]));
        for (size_t i = 1; i < std::size(order); ++i)
        {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), Button(&welcome, order[i]));
        }
        for (int nId : {ID_RESULT_OK, ID_RESULT_CANCEL, IDC_WELCOME_HELP})
            QCOMPARE(AccessibleName(Button(&welcome, nId)), Button(&welcome, nId)->text());
        QCOMPARE(AccessibleName(&welcome), QStringLiteral("Welcome to Scrubix!"));
        // Every static text gives its words to the screen reader.
        for (QLabel* pLabel : welcome.findChildren<QLabel*>())
            QVERIFY(!AccessibleName(pLabel).isEmpty());
    }
};

QTEST_MAIN(WelcomeDialogTest)
#include "WelcomeDialogTest.moc"
