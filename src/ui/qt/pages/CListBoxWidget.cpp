#include "CListBoxWidget.h"

#include <QFontMetrics>
#include <QScrollBar>

namespace
{
constexpr int ROLE_BYTES = Qt::UserRole + 1;
}

CListBoxWidget::CListBoxWidget(QWidget* pParent) : QListWidget(pParent)
{
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    setUniformItemSizes(false);
}

int CListBoxWidget::GetCount() const
{
    return count();
}

std::string CListBoxWidget::GetText(int nIndex) const
{
    const QListWidgetItem* pItem = item(nIndex);
    if (pItem == nullptr)
        return {};
    return pItem->data(ROLE_BYTES).toByteArray().toStdString();
}

int CListBoxWidget::AddString(const std::string& strText)
{
    auto* pItem = new QListWidgetItem(QString::fromStdString(strText));
    pItem->setData(ROLE_BYTES, QByteArray(strText.data(), static_cast<qsizetype>(strText.size())));
    addItem(pItem);
    return count() - 1;
}

void CListBoxWidget::DeleteString(int nIndex)
{
    delete takeItem(nIndex);
}

void CListBoxWidget::ResetContent()
{
    clear();
}

int CListBoxWidget::GetCurSel() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void CListBoxWidget::SetCurSel(int nIndex)
{
    if (nIndex < 0 || nIndex >= count())
    {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(nIndex, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(nIndex));
}

void CListBoxWidget::SetHorizontalExtent(int nPixels)
{
    m_nExtent = nPixels < 0 ? 0 : nPixels;
    updateGeometries();
}

int CListBoxWidget::MeasureText(const std::string& strText) const
{
    return fontMetrics().horizontalAdvance(QString::fromStdString(strText));
}

void CListBoxWidget::updateGeometries()
{
    QListWidget::updateGeometries();
    const int nVisible = viewport()->width();
    horizontalScrollBar()->setPageStep(nVisible);
    horizontalScrollBar()->setRange(0, m_nExtent > nVisible ? m_nExtent - nVisible : 0);
}
