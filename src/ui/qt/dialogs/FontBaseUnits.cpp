#include "FontBaseUnits.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>

SDialogBaseUnits BaseUnitsForFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    SDialogBaseUnits base;
    base.nCharWidth =
        AverageCharWidth(metrics.horizontalAdvance(QString::fromLatin1(AVERAGE_WIDTH_SAMPLE)));
    base.nCharHeight = metrics.height();
    return base;
}

QFont FontForTemplate(const char* pszFontName, int nPoints)
{
    QFont font = QApplication::font();
    if (pszFontName != nullptr && QFontDatabase::hasFamily(QString::fromUtf8(pszFontName)))
    {
        font.setFamily(QString::fromUtf8(pszFontName));
    }
    if (nPoints > 0)
    {
        font.setPointSize(nPoints);
    }
    return font;
}
