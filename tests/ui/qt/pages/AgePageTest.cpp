// The Age page through its real widgets: copy-in from the document, copy-out
// on OK into the document and the store (read back by the next start), the
// days greyed while the box is clear, and days out of range keeping the page.

#include "PagesTestSupport.h"
#include "ui/qt/pages/CAgePage.h"
#include "ui/qt/pages/COptionsSheet.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/AgePageRules.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>

namespace
{
std::unique_ptr<COptionsSheet> OpenSheet(CPagesWorld& world)
{
    auto pSheet =
        std::make_unique<COptionsSheet>(world.Doc(), ViewState::Idle, world.m_autostart, nullptr,
                                        SOptionsServices{&world.m_messageBox, &world.m_pathPicker});
    pSheet->show();
    return pSheet;
}

int PageIndex(const COptionsSheet& sheet, const QString& strCaption)
{
    for (int i = 0; i < sheet.PageCount(); ++i)
        if (sheet.TabBar()->tabText(i) == strCaption)
            return i;
    return -1;
}

CAgePage* ShowAgePage(COptionsSheet& sheet)
{
    const int nIndex = PageIndex(sheet, QStringLiteral("Age"));
    if (nIndex < 0 || !sheet.SetCurrentPage(nIndex))
        return nullptr;
    return qobject_cast<CAgePage*>(sheet.Page(nIndex));
}

QAbstractButton* OnlyOldBox(CAgePage* pPage)
{
    return pPage->ControlAs<QAbstractButton>(IDC_AGE_ONLY_OLD);
}
} // namespace

class AgePageTest : public QObject
{
    Q_OBJECT

private slots:
    // The tenth tab, after the nine; its texts and the days' range.
    void IsTheTenthPageWithItsTexts()
    {
        CPagesWorld world;
        auto pSheet = OpenSheet(world);
        QCOMPARE(pSheet->PageCount(), 10);
        QCOMPARE(PageIndex(*pSheet, QStringLiteral("Age")), 9);
        CAgePage* pPage = ShowAgePage(*pSheet);
        QVERIFY(pPage != nullptr);
        QCOMPARE(OnlyOldBox(pPage)->text(), QStringLiteral("Only files not changed for at least"));
        QCOMPARE(pPage->DaysBox()->minimum(), 1);
        QCOMPARE(pPage->DaysBox()->maximum(), 3650);
        QCOMPARE(pPage->DaysBox()->accessibleName(), QStringLiteral("Days"));
        QCOMPARE(pPage->ControlAs<QWidget>(IDC_AGE_DAYS_LABEL)->property("text").toString(),
                 QStringLiteral("days"));
        pSheet->reject();
    }

    void CopyInShowsTheSetting()
    {
        CPagesWorld world;
        world.Doc().MinAge = 0;
        auto pOff = OpenSheet(world);
        CAgePage* pPage = ShowAgePage(*pOff);
        QVERIFY(!OnlyOldBox(pPage)->isChecked());
        QCOMPARE(pPage->DaysBox()->value(), AGE_DAYS_SHOWN_WHEN_OFF);
        QVERIFY(!pPage->DaysBox()->isEnabled());
        QVERIFY(!pPage->Control(IDC_AGE_DAYS_LABEL)->isEnabled());
        pOff->reject();

        world.Doc().MinAge = 45;
        auto pOn = OpenSheet(world);
        pPage = ShowAgePage(*pOn);
        QVERIFY(OnlyOldBox(pPage)->isChecked());
        QCOMPARE(pPage->DaysBox()->value(), 45);
        QVERIFY(pPage->DaysBox()->isEnabled());
        // Clearing the box greys the days; ticking it again brings them back.
        OnlyOldBox(pPage)->click();
        QVERIFY(!pPage->DaysBox()->isEnabled());
        OnlyOldBox(pPage)->click();
        QVERIFY(pPage->DaysBox()->isEnabled());
        pOn->reject();
        QCOMPARE(world.Doc().MinAge, 45); // Cancel keeps the setting
    }

    void CopyOutOnOkIsSavedAndReadBack()
    {
        CPagesWorld world;
        auto pSheet = OpenSheet(world);
        CAgePage* pPage = ShowAgePage(*pSheet);
        OnlyOldBox(pPage)->click();
        pPage->DaysBox()->setValue(90);
        pSheet->OkButton()->click();
        QCOMPARE(world.Doc().MinAge, 90);
        QCOMPARE(world.Store().GetString("Settings", "MinAge", "<absent>"), std::string("90"));
        world.Restart();
        QCOMPARE(world.Doc().MinAge, 90);

        auto pAgain = OpenSheet(world);
        pPage = ShowAgePage(*pAgain);
        QCOMPARE(pPage->DaysBox()->value(), 90);
        OnlyOldBox(pPage)->click(); // off again
        pAgain->OkButton()->click();
        QCOMPARE(world.Doc().MinAge, 0);
        world.Restart();
        QCOMPARE(world.Doc().MinAge, 0);
    }

    // Days typed out of range: neither another tab nor OK leaves the page
    // while the box is ticked; clearing the box lets it go.
    void DaysOutOfRangeKeepThePage()
    {
        CPagesWorld world;
        world.Doc().MinAge = 10;
        auto pSheet = OpenSheet(world);
        CAgePage* pPage = ShowAgePage(*pSheet);
        QLineEdit* pEdit = pPage->DaysBox()->findChild<QLineEdit*>();
        pEdit->selectAll();
        QTest::keyClicks(pEdit, "0");
        QVERIFY(!pSheet->SetCurrentPage(0));
        QCOMPARE(pSheet->CurrentIndex(), 9);
        pSheet->OkButton()->click();
        QVERIFY(pSheet->isVisible());
        QCOMPARE(world.m_messageBox.Texts(),
                 (std::vector<std::string>{TEXT_AGE_DAYS_RANGE, TEXT_AGE_DAYS_RANGE}));
        QCOMPARE(world.Doc().MinAge, 10);

        OnlyOldBox(pPage)->click();
        pSheet->OkButton()->click();
        QVERIFY(!pSheet->isVisible());
        QCOMPARE(world.Doc().MinAge, 0);
    }

    // Tab reaches the check box and then the days; both are named.
    void KeyboardReachesTheBoxAndTheDays()
    {
        CPagesWorld world;
        world.Doc().MinAge = 5;
        auto pSheet = OpenSheet(world);
        QApplication::setActiveWindow(pSheet.get());
        QVERIFY(QTest::qWaitForWindowActive(pSheet.get()));
        CAgePage* pPage = ShowAgePage(*pSheet);
        OnlyOldBox(pPage)->setFocus();
        QTest::keyClick(OnlyOldBox(pPage), Qt::Key_Tab);
        QVERIFY(pPage->DaysBox()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(pPage->DaysBox()->value(), 6);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(OnlyOldBox(pPage)->hasFocus());
        QTest::keyClick(OnlyOldBox(pPage), Qt::Key_Space);
        QVERIFY(!OnlyOldBox(pPage)->isChecked());
        QVERIFY(!pPage->DaysBox()->isEnabled());
        pSheet->OkButton()->click();
        QCOMPARE(world.Doc().MinAge, 0);
    }
};

QTEST_MAIN(AgePageTest)
#include "AgePageTest.moc"
