#include "ui/qt/app/CResultsTreeView.h"

void CResultsTreeView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                   const QList<int>& roles)
{
    // The rows' heights are uniform and no row is edited in place, so a wide
    // change needs nothing of the stock handling but the repaint.
    if (uniformRowHeights() && topLeft.isValid() && bottomRight.isValid() &&
        topLeft.parent() == bottomRight.parent() &&
        bottomRight.row() - topLeft.row() >= WHOLE_VIEW_ROWS && !roles.contains(Qt::SizeHintRole))
    {
        viewport()->update();
        return;
    }
    QTreeView::dataChanged(topLeft, bottomRight, roles);
}
