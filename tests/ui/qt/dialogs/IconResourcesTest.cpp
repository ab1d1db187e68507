// The compiled-in images: a toolbar image for each toolbar command, at 1x and
// 2x, the strip in toolbar order, the application icon at every size drawn.

#include "ui/qt/dialogs/IconResources.h"

#include "ui/res/MenuTemplate.h"
#include "ui/res/ResourceIds.h"

#include <QImage>
#include <QTest>

class IconResourcesTest : public QObject
{
    Q_OBJECT

private slots:
    void everyToolbarCommandHasItsImage()
    {
        int nButtons = 0;
        for (const SToolbarButton& button : GetToolbarButtons())
        {
            if (button.nCommandId == 0)
                continue;
            ++nButtons;
            const QIcon icon = ToolbarIcon(button.nCommandId);
            QVERIFY2(!icon.isNull(), button.pszIcon);
            const QList<QSize> sizes = icon.availableSizes();
            QVERIFY2(sizes.contains(QSize(16, 15)), button.pszIcon);
            const QPixmap doubled = icon.pixmap(QSize(16, 15), 2.0);
            QCOMPARE(doubled.size(), QSize(32, 30));
            // Drawn, not empty: some pixels are opaque.
            const QImage image = icon.pixmap(QSize(16, 15), 1.0).toImage();
            int nOpaque = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    nOpaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
            QVERIFY2(nOpaque > 30, button.pszIcon);
        }
        QCOMPARE(nButtons, 6);
        QVERIFY(ToolbarIcon(ID_APP_EXIT).isNull());
        QVERIFY(ToolbarIcon(0).isNull());
    }

    void stripHoldsTheButtonsInToolbarOrder()
    {
        for (const bool bDoubled : {false, true})
        {
            const QPixmap strip = ToolbarStrip(bDoubled);
            const int nScale = bDoubled ? 2 : 1;
            QCOMPARE(strip.size(), QSize(6 * 16 * nScale, 15 * nScale));
            const QImage stripImage = strip.toImage().convertToFormat(QImage::Format_ARGB32);
            int nIndex = 0;
            for (const SToolbarButton& button : GetToolbarButtons())
            {
                if (button.nCommandId == 0)
                    continue;
                const QImage single = ToolbarIcon(button.nCommandId)
                                          .pixmap(QSize(16, 15), double(nScale))
                                          .toImage()
                                          .convertToFormat(QImage::Format_ARGB32);
                const QImage cut =
                    stripImage.copy(nIndex * 16 * nScale, 0, 16 * nScale, 15 * nScale);
                QCOMPARE(single.size(), cut.size());
                int nDifferent = 0;
                for (int y = 0; y < cut.height(); ++y)
                    for (int x = 0; x < cut.width(); ++x)
                        nDifferent += cut.pixel(x, y) != single.pixel(x, y) ? 1 : 0;
                QVERIFY2(nDifferent == 0, button.pszIcon);
                ++nIndex;
            }
        }
    }

    void applicationIconAtEverySize()
    {
        const QIcon icon = ApplicationIcon();
        for (int nSide : {16, 24, 32, 48, 64, 128, 256})
            QVERIFY2(icon.availableSizes().contains(QSize(nSide, nSide)),
                     qPrintable(QString::number(nSide)));
    }
};

QTEST_MAIN(IconResourcesTest)
#include "IconResourcesTest.moc"
