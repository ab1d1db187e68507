#pragma once

#include "ui/rules/IListBox.h"

#include <QListWidget>

// A list box of the list pages: items in insertion order, one selection, and
// a horizontal scroll extent in pixels that is set from outside (as the
// pages' operations decide) rather than from the items. Each item keeps its
// text's bytes as given, so an entry that is not valid UTF-8 comes back
// unchanged. User-interface thread only.
class CListBoxWidget : public QListWidget, public IListBox
{
    Q_OBJECT

public:
    explicit CListBoxWidget(QWidget* pParent = nullptr);

    int GetCount() const override;
    std::string GetText(int nIndex) const override;
    int AddString(const std::string& strText) override;
    void DeleteString(int nIndex) override;
    void ResetContent() override;
    int GetCurSel() const override;
    void SetCurSel(int nIndex) override;
    int GetHorizontalExtent() const override { return m_nExtent; }
    // The horizontal scroll range becomes the extent less the visible width.
    void SetHorizontalExtent(int nPixels) override;
    // Width of the text in this list box's font.
    int MeasureText(const std::string& strText) const override;

protected:
    void updateGeometries() override;

private:
    int m_nExtent = 0;
};
