#include "ScrubixMessageBox.h"

#include "ui/rules/MessageBoxGeometry.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>
#include <algorithm>
#include <atomic>
#include <cstdio>

void FitMessageBoxToTitle(QMessageBox& box)
{
    auto* pGrid = qobject_cast<QGridLayout*>(box.layout());
    if (pGrid == nullptr)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics titleMetrics(titleFont);
    const int nWidth = MessageBoxMinimumWidth(titleMetrics.horizontalAdvance(box.windowTitle()),
                                              QFontMetrics(box.font()).height());
    // The box sizes itself to its layout's minimum: a row holding only this
    // spacer makes that minimum wide enough.
    const QMargins margins = pGrid->contentsMargins();
    pGrid->addItem(new QSpacerItem(std::max(0, nWidth - margins.left() - margins.right()), 0,
                                   QSizePolicy::Minimum, QSizePolicy::Fixed),
                   pGrid->rowCount(), 0, 1, pGrid->columnCount());
}

namespace
{
std::atomic<bool> s_bHeadless{false};
} // namespace

void SetHeadless(bool bHeadless)
{
    s_bHeadless.store(bHeadless);
}

bool IsHeadless()
{
    return s_bHeadless.load();
}

void ShowScrubixMessage(QWidget* pOwner, const QString& strText, QMessageBox::Icon eIcon)
{
    if (IsHeadless())
    {
        const QString strLine = QStringLiteral("Scrubix: ") + strText.simplified() + '\n';
        std::fputs(strLine.toLocal8Bit().constData(), stderr);
        return;
    }
    QMessageBox box(eIcon, QStringLiteral("Scrubix"), strText, QMessageBox::Ok, pOwner);
    box.setTextFormat(Qt::PlainText);
    FitMessageBoxToTitle(box);
    box.exec();
}
