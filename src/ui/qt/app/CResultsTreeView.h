#pragma once

#include <QTreeView>

// The results list's view. A change the model announces over more rows than
// a screen can show (check all, uncheck all, invert on a long list) repaints
// the viewport once, instead of working out the rectangle of every row in
// the range as the stock view does: a million rows would cost the
// user-interface thread most of 100 ms. Smaller changes go the stock way.
// User-interface thread.
class CResultsTreeView : public QTreeView
{
public:
    using QTreeView::QTreeView;

    // Rows a change may span before it is taken as "everything shown".
    static constexpr int WHOLE_VIEW_ROWS = 1000;

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override;
};
