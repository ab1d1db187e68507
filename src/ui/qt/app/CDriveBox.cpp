#include "ui/qt/app/CDriveBox.h"

#include "ui/rules/DriveBox.h"

#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

CDriveBox::CDriveBox(QWidget* pParent) : QComboBox(pParent)
{
    connect(this, &QComboBox::currentIndexChanged, this, &CDriveBox::UpdateToolTip);
}

void CDriveBox::UpdateToolTip()
{
    const SDriveBoxEntryParts parts = SplitDriveBoxEntry(currentText().toStdString());
    setToolTip(QString::fromStdString(parts.strFolder));
}

QString CDriveBox::ShownText() const
{
    const QString strEntry = currentText();
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const int nRoom =
        style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
            .width();
    const QFontMetrics& metrics = fontMetrics();
    if (metrics.horizontalAdvance(strEntry) <= nRoom)
        return strEntry;
    const SDriveBoxEntryParts parts = SplitDriveBoxEntry(strEntry.toStdString());
    const QString strLetter = QString::fromStdString(parts.strLetter);
    if (parts.strFolder.empty())
        return metrics.elidedText(strEntry, Qt::ElideRight, nRoom);
    const QString strHead = strLetter + QLatin1Char(' ');
    const int nFolderRoom = std::max(0, nRoom - metrics.horizontalAdvance(strHead));
    return strHead +
           metrics.elidedText(QString::fromStdString(parts.strFolder), Qt::ElideLeft, nFolderRoom);
}

int CDriveBox::WidestEntryWidth() const
{
    int nWidest = 0;
    for (int i = 0; i < count(); ++i)
        nWidest = std::max(nWidest, view()->sizeHintForIndex(model()->index(i, 0)).width());
    // The list's frame and a vertical scroll bar, should one be needed.
    const int nFrame = 2 * view()->frameWidth();
    const int nScrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view());
    return nWidest + nFrame + nScrollBar;
}

void CDriveBox::showPopup()
{
    view()->setMinimumWidth(std::max(width(), WidestEntryWidth()));
    QComboBox::showPopup();
}

void CDriveBox::paintEvent(QPaintEvent* /*pEvent*/)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = ShownText();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
