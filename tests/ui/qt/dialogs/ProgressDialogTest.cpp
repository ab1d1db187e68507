// The File Moving Progress window through its real widgets: created modeless
// and shown (also under a hidden parent), centred over its parent, range of
// all rows (also past the 16-bit bound), one step per file, the file line
// replaced each time, no way for the user to close it.

#include "ui/qt/dialogs/CProgressDialog.h"

#include <QAccessible>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QTest>

namespace
{
QString AccessibleName(QWidget* pWidget)
{
    QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(pWidget);
    return pInterface != nullptr ? pInterface->text(QAccessible::Name) : QString();
}
} // namespace

class ProgressDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void threeOfTenRows()
    {
        QMainWindow frame;
        frame.resize(600, 400);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        auto* pProgress = new CProgressDialog(&frame);
        pProgress->m_nTotal = 10;
        pProgress->Create();
        QVERIFY(pProgress->isVisible());
        QVERIFY(!pProgress->isModal());
        QCOMPARE(pProgress->windowTitle(), QStringLiteral("File Moving Progress"));
        QCOMPARE(pProgress->ProgressBar()->minimum(), 0);
        QCOMPARE(pProgress->Maximum(), 10);
        QCOMPARE(pProgress->Position(), 0);
        QCOMPARE(pProgress->FileLabel()->text(), QString());
        // Centred over the frame.
        QVERIFY((pProgress->geometry().center() - frame.geometry().center()).manhattanLength() <=
                2);
        for (const char* pszPath : {"C:\\junk\\a.tmp", "C:\\junk\\b.bak", "C:\\old\\c.tmp"})
            pProgress->Step(QString::fromLatin1(pszPath));
        QCOMPARE(pProgress->Position(), 3);
        QCOMPARE(pProgress->Maximum(), 10);
        QCOMPARE(pProgress->m_strFile, QStringLiteral("C:\\old\\c.tmp"));
        // Drawn within the interval, showing the last file.
        QTRY_COMPARE(pProgress->FileLabel()->text(), QStringLiteral("C:\\old\\c.tmp"));
        QCOMPARE(pProgress->ProgressBar()->value(), 3);
        // The frame keeps working: the window is modeless.
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        delete pProgress;
    }

    void rangeAboveSixteenBits_data()
    {
        QTest::addColumn<int>("nTotal");
        QTest::addColumn<int>("nSteps");
        QTest::newRow("65,535 rows") << 65535 << 65535;
        QTest::newRow("65,536 rows") << 65536 << 65536;
        QTest::newRow("200,000 rows, all moved") << 200000 << 200000;
        QTest::newRow("1,000,000 rows, 70,000 moved") << 1000000 << 70000;
    }

    void rangeAboveSixteenBits()
    {
        QFETCH(int, nTotal);
        QFETCH(int, nSteps);
        CProgressDialog progress;
        progress.m_nTotal = nTotal;
        progress.Create();
        QCOMPARE(progress.Maximum(), nTotal);
        const QString strFile = QStringLiteral("C:\\f.tmp");
        for (int i = 0; i < nSteps; ++i)
            progress.Step(strFile);
        QCOMPARE(progress.Position(), nSteps);
        // The bar shows the fraction done, not a wrapped-around count.
        const QProgressBar* pBar = progress.ProgressBar();
        QTRY_COMPARE(pBar->value(), nSteps);
        QVERIFY(pBar->value() <= pBar->maximum());
    }

    void neverStepsPastItsBoundNorBelowZero()
    {
        CProgressDialog progress;
        progress.m_nTotal = 2;
        progress.Create();
        for (int i = 0; i < 5; ++i)
            progress.Step(QStringLiteral("C:\\x"));
        QCOMPARE(progress.Position(), 2);

        CProgressDialog negative;
        negative.m_nTotal = -4;
        negative.Create();
        QCOMPARE(negative.Maximum(), 0);
    }

    void shownUnderAHiddenParent()
    {
        QMainWindow hidden; // invisible mode: the main window never shows
        CProgressDialog progress(&hidden);
        progress.m_nTotal = 3;
        progress.Create();
        QVERIFY(progress.isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(&progress));
    }

    void userCannotCloseIt()
    {
        CProgressDialog progress;
        progress.m_nTotal = 5;
        progress.Create();
        QVERIFY(QTest::qWaitForWindowExposed(&progress));
        QVERIFY(!(progress.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(progress.windowFlags() & Qt::WindowMaximizeButtonHint));
        QTest::keyClick(&progress, Qt::Key_Escape);
        QVERIFY(progress.isVisible());
        progress.close();
        QVERIFY(progress.isVisible());
    }

    void longPathsKeepTheirFileName()
    {
        CProgressDialog progress;
        progress.m_nTotal = 1;
        progress.Create();
        QString strLong = QStringLiteral("C:");
        for (int i = 0; i < 40; ++i)
            strLong += QStringLiteral("\\folder%1").arg(i);
        strLong += QStringLiteral("\\last-file.tmp");
        progress.Step(strLong);
        QCOMPARE(progress.m_strFile, strLong);
        const QLabel* pLine = progress.FileLabel();
        QVERIFY(pLine->text() != strLong);
        QVERIFY(pLine->text().startsWith(QStringLiteral("C:\\folder0")));
        QVERIFY(pLine->text().endsWith(QStringLiteral("last-file.tmp")));
        QVERIFY(pLine->fontMetrics().horizontalAdvance(pLine->text()) <=
                pLine->contentsRect().width());
        QCOMPARE(pLine->toolTip(), strLong);
        QCOMPARE(AccessibleName(const_cast<QLabel*>(pLine)), strLong);
        QCOMPARE(AccessibleName(progress.ProgressBar()), QStringLiteral("File Moving Progress"));
    }
};

QTEST_MAIN(ProgressDialogTest)
#include "ProgressDialogTest.moc"
