// The sheet's message boxes as QMessageBox: title, text, no icon, the
// buttons, Yes as the default also where the text recommends No, and Esc; a
// short box wide enough for its title; the entry dialog's refusal above the
// entry dialog, and the entry dialog above the sheet.

#include "PagesTestSupport.h"
#include "ui/qt/pages/CEntryDialog.h"
#include "ui/qt/pages/CListPage.h"
#include "ui/qt/pages/COptionsSheet.h"
#include "ui/qt/pages/CQtMessageBox.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/MessageBoxGeometry.h"
#include "ui/rules/OptionsTexts.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QWindow>

namespace
{
// What MessageBoxMinimumWidth asks of a box titled "Scrubix" in its font.
int TitleWidthNeeded(const QWidget* pBox)
{
    QFont bold = pBox->font();
    bold.setBold(true);
    return MessageBoxMinimumWidth(QFontMetrics(bold).horizontalAdvance(pBox->windowTitle()),
                                  QFontMetrics(pBox->font()).height());
}
} // namespace

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

    void EntryDialogStaysAboveTheSheetWithItsRefusalAboveIt()
    {
        CPagesWorld world;
        COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, nullptr,
                            SOptionsServices{nullptr, &world.m_pathPicker});
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        auto* pPage = sheet.FindPageAs<CListPage>(EOptionsPage::Excludes);
        QVERIFY(pPage != nullptr);
        QCOMPARE(sheet.Page(sheet.CurrentIndex()), pPage);

        QWidget* pEntryOwner = nullptr;
        QWindow* pEntryTransientFor = nullptr;
        QString strBoxOwner;
        QWindow* pBoxTransientFor = nullptr;
        QWindow* pEntryWindow = nullptr;
        bool bEntryUpWithTheBox = false;
        bool bStayedOpen = false;
        QString strBoxText;
        int nBoxWidth = 0;
        int nWidthNeeded = 0;
        WhenModal<CEntryDialog>(
            [&](CEntryDialog* pDialog)
            {
                pEntryOwner = pDialog->parentWidget() ? pDialog->parentWidget()->window() : nullptr;
                pEntryWindow = pDialog->windowHandle();
                pEntryTransientFor = pEntryWindow ? pEntryWindow->transientParent() : nullptr;
                WhenModal<QMessageBox>(
                    [&, pDialog](QMessageBox* pBox)
                    {
                        strBoxOwner = pBox->parentWidget()
                                          ? pBox->parentWidget()->metaObject()->className()
                                          : QString();
                        pBoxTransientFor = pBox->windowHandle()->transientParent();
                        bEntryUpWithTheBox = pDialog->isVisible();
                        strBoxText = pBox->text();
                        nBoxWidth = pBox->width();
                        nWidthNeeded = TitleWidthNeeded(pBox);
                        QTest::keyClick(pBox, Qt::Key_Return);
                    });
                pDialog->EntryEdit()->clear();
                QTest::keyClick(pDialog->EntryEdit(), Qt::Key_Return); // the null entry
                bStayedOpen = pDialog->isVisible();
                pDialog->reject();
            });
        pPage->Button(IDC_EXCLUDE_ADD)->click();

        QCOMPARE(pEntryOwner, static_cast<QWidget*>(&sheet));
        QCOMPARE(pEntryTransientFor, sheet.windowHandle());
        QCOMPARE(strBoxText, QString::fromLatin1(TEXT_NULL_ENTRY));
        QCOMPARE(strBoxOwner, QStringLiteral("CEntryDialog"));
        QCOMPARE(pBoxTransientFor, pEntryWindow);
        QVERIFY(bEntryUpWithTheBox);
        QVERIFY(bStayedOpen);
        // A short text still leaves the title its room.
        QVERIFY2(nBoxWidth >= nWidthNeeded,
                 qPrintable(QStringLiteral("%1 < %2").arg(nBoxWidth).arg(nWidthNeeded)));
    }

    void EveryBoxIsWideEnoughForItsTitle()
    {
        for (const char* pText : {"List Box Error", "No candidates found.", "x"})
        {
            CQtMessageBox messageBox;
            int nWidth = 0;
            int nNeeded = 0;
            WhenModal<QMessageBox>(
                [&](QMessageBox* pBox)
                {
                    nWidth = pBox->width();
                    nNeeded = TitleWidthNeeded(pBox);
                    QTest::keyClick(pBox, Qt::Key_Escape);
                });
            messageBox.Show(OkPrompt(pText));
            QVERIFY2(nWidth >= nNeeded, pText);
        }
    }
};

QTEST_MAIN(MessageBoxTest)
#include "MessageBoxTest.moc"
