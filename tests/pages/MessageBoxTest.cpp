// The sheet's message boxes as QMessageBox: title, text, no icon, the
// buttons, Yes as the default also where the text recommends No, and Esc.

#include "PagesTestSupport.h"
#include "pages/CQtMessageBox.h"
#include "shell/OptionsTexts.h"

#include <QMessageBox>
#include <QPushButton>

class MessageBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void YesNoBoxDefaultsToYesAndEscapeIsNo()
    {
        CQtMessageBox messageBox;
        QString strTitle, strText;
        QStringList buttons;
        bool bNoIcon = false;
        WhenModal<QMessageBox>(
            [&](QMessageBox* pBox)
            {
                strTitle = pBox->windowTitle();
                strText = pBox->text();
                bNoIcon = pBox->icon() == QMessageBox::NoIcon;
                for (QAbstractButton* pButton : pBox->buttons())
                    buttons << pButton->text().remove(u'&');
                QCOMPARE(pBox->defaultButton(), pBox->button(QMessageBox::Yes));
                QTest::keyClick(pBox, Qt::Key_Return);
            });
        QVERIFY(messageBox.Show(YesNoPrompt(TEXT_RECYCLE_REMOVE)));
        QCOMPARE(strTitle, QStringLiteral("Scrubix"));
        QCOMPARE(strText, QString::fromUtf8(TEXT_RECYCLE_REMOVE));
        QVERIFY(bNoIcon);
        buttons.sort();
        QCOMPARE(buttons, QStringList({"No", "Yes"}));

        WhenModal<QMessageBox>([](QMessageBox* pBox) { QTest::keyClick(pBox, Qt::Key_Escape); });
        QVERIFY(!messageBox.Show(YesNoPrompt(TEXT_DATA_BAK_REMOVE)));
        WhenModal<QMessageBox>([](QMessageBox* pBox) { pBox->button(QMessageBox::No)->click(); });
        QVERIFY(!messageBox.Show(YesNoPrompt(TEXT_INVISIBLE_QUESTION)));
    }

    void OkBoxHasOnlyOk()
    {
        CQtMessageBox messageBox;
        QStringList buttons;
        QString strText;
        WhenModal<QMessageBox>(
            [&](QMessageBox* pBox)
            {
                strText = pBox->text();
                for (QAbstractButton* pButton : pBox->buttons())
                    buttons << pButton->text().remove(u'&');
                QTest::keyClick(pBox, Qt::Key_Escape);
            });
        QVERIFY(messageBox.Show(OkPrompt("String\n C:\\x\n is invalid.")));
        QCOMPARE(buttons, QStringList({"OK"}));
        QCOMPARE(strText, QStringLiteral("String\n C:\\x\n is invalid."));
    }
};

QTEST_MAIN(MessageBoxTest)
#include "MessageBoxTest.moc"
