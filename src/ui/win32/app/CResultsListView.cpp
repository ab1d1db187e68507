#include "ui/win32/app/CResultsListView.h"

#include <algorithm>

namespace
{
constexpr int STATE_UNCHECKED = 1;
constexpr int STATE_CHECKED = 2;

const wchar_t* const COLUMN_TITLES[CResultsListView::COLUMN_COUNT] = {L"Path", L"Reason", L"Size",
                                                                      L"Modified"};

// Paths come from the Win32 backend in the ANSI code page (the manifest makes
// it UTF-8 where Windows allows); the list is a wide control, so they are
// converted with CP_ACP. The program's own words are ASCII.
std::wstring WideFromAnsi(const std::string& strText)
{
    if (strText.empty())
        return {};
    const int nLength = MultiByteToWideChar(CP_ACP, 0, strText.data(),
                                            static_cast<int>(strText.size()), nullptr, 0);
    std::wstring strWide(static_cast<size_t>(nLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, strText.data(), static_cast<int>(strText.size()), strWide.data(),
                        nLength);
    return strWide;
}
} // namespace

CResultsListView::CResultsListView(CCandidateTable& table) : m_table(table)
{
    m_table.SetObserver(this);
}

CResultsListView::~CResultsListView()
{
    m_table.SetObserver(nullptr);
}

void CResultsListView::Attach(HWND hForm, int nId)
{
    HWND hOld = GetDlgItem(hForm, nId);
    RECT rect{};
    GetWindowRect(hOld, &rect);
    MapWindowPoints(nullptr, hForm, reinterpret_cast<POINT*>(&rect), 2);
    const DWORD nStyle = static_cast<DWORD>(GetWindowLongPtrW(hOld, GWL_STYLE));
    const DWORD nExStyle = static_cast<DWORD>(GetWindowLongPtrW(hOld, GWL_EXSTYLE));
    HWND hBefore = GetWindow(hOld, GW_HWNDPREV);
    const HFONT hFont = reinterpret_cast<HFONT>(SendMessageW(hOld, WM_GETFONT, 0, 0));
    DestroyWindow(hOld);
    m_hList = CreateWindowExW(
        nExStyle, WC_LISTVIEWW, L"Results", nStyle | LVS_OWNERDATA | LVS_REPORT | LVS_SHOWSELALWAYS,
        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, hForm,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), GetModuleHandleW(nullptr), nullptr);
    SetWindowPos(m_hList, hBefore != nullptr ? hBefore : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(m_hList, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    ListView_SetExtendedListViewStyle(m_hList, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    ListView_SetCallbackMask(m_hList, LVIS_STATEIMAGEMASK);
    for (int i = 0; i < COLUMN_COUNT; ++i)
    {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = i == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = 100;
        column.pszText = const_cast<wchar_t*>(COLUMN_TITLES[i]);
        SendMessageW(m_hList, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
}

void CResultsListView::SetListCount(int nRows)
{
    m_nShownRows = nRows;
    if (m_hList != nullptr)
        ListView_SetItemCountEx(m_hList, nRows, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
}

void CResultsListView::ShowPendingRows()
{
    const int nRows = m_table.GetRowCount();
    if (nRows == m_nShownRows)
        return;
    const bool bRemoved = nRows < m_nShownRows;
    SetListCount(nRows);
    if (bRemoved && m_hList != nullptr)
        InvalidateRect(m_hList, nullptr, FALSE); // the rows left moved up
    ChecksChanged();
}

void CResultsListView::SetRemovalsBatched(bool bBatched)
{
    m_bRemovalsBatched = bBatched && m_nShownRows > REMOVAL_BATCH_MIN_ROWS;
    m_lastRemovalShown = std::chrono::steady_clock::now();
    if (!m_bRemovalsBatched)
        ShowPendingRows();
}

void CResultsListView::RemoveRow(int nRow)
{
    if (!m_bRemovalsBatched)
        ShowPendingRows();
    m_table.DeleteRow(nRow);
}

void CResultsListView::Clear()
{
    m_table.Clear();
}

void CResultsListView::OnRowsReset()
{
    SetListCount(0);
    if (m_hList != nullptr)
        InvalidateRect(m_hList, nullptr, TRUE);
    ChecksChanged();
}

void CResultsListView::OnRowsRemoved(int nFirst, int nLast)
{
    if (nFirst >= m_nShownRows)
        return; // a row the list never showed
    if (m_bRemovalsBatched)
    {
        const auto now = std::chrono::steady_clock::now();
        if (now - m_lastRemovalShown < REMOVAL_BATCH_MS)
            return;
        m_lastRemovalShown = now;
        ShowPendingRows();
        return;
    }
    const int nRemoved = std::min(nLast, m_nShownRows - 1) - nFirst + 1;
    SetListCount(m_nShownRows - nRemoved);
    RedrawRows(nFirst, m_nShownRows);
    ChecksChanged();
}

void CResultsListView::OnRowsAboutToReorder()
{
    const int nCurrent = CurrentRow();
    m_pFocusedBeforeSort = nCurrent >= 0 && nCurrent < m_table.GetRowCount()
                               ? &m_table.Rows()[static_cast<size_t>(nCurrent)]
                               : nullptr;
}

void CResultsListView::OnRowsReordered()
{
    if (m_hList == nullptr)
        return;
    ListView_SetItemState(m_hList, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (m_pFocusedBeforeSort != nullptr)
    {
        const int nRows = std::min(m_nShownRows, m_table.GetRowCount());
        for (int n = 0; n < nRows; ++n)
            if (&m_table.Rows()[static_cast<size_t>(n)] == m_pFocusedBeforeSort)
            {
                SetCurrentRow(n);
                ListView_EnsureVisible(m_hList, n, FALSE);
                break;
            }
    }
    m_pFocusedBeforeSort = nullptr;
    InvalidateRect(m_hList, nullptr, FALSE);
}

void CResultsListView::RedrawRows(int nFirst, int nLast)
{
    if (m_hList == nullptr || nLast < nFirst)
        return;
    const int nTop = ListView_GetTopIndex(m_hList);
    const int nBottom = nTop + ListView_GetCountPerPage(m_hList);
    // Only the rows in sight are drawn at all.
    nFirst = std::max(nFirst, nTop);
    nLast = std::min(nLast, nBottom);
    if (nLast >= nFirst)
        ListView_RedrawItems(m_hList, nFirst, nLast);
}

void CResultsListView::ChecksChanged()
{
    m_nCheckChanges.fetch_add(1, std::memory_order_release);
    if (onChecksChanged)
        onChecksChanged();
}

bool CResultsListView::IsRowChecked(int nRow) const
{
    return nRow >= 0 && nRow < m_table.GetRowCount() &&
           m_table.Rows()[static_cast<size_t>(nRow)].bChecked;
}

void CResultsListView::SetRowChecked(int nRow, bool bChecked)
{
    if (nRow < 0 || nRow >= m_table.GetRowCount())
        return;
    m_table.SetChecked(nRow, bChecked);
    RedrawRows(nRow, nRow);
    ChecksChanged();
}

void CResultsListView::SetAllChecked(bool bChecked)
{
    ShowPendingRows();
    m_table.SetAllChecked(bChecked);
    if (m_hList != nullptr)
        InvalidateRect(m_hList, nullptr, FALSE);
    ChecksChanged();
}

void CResultsListView::InvertChecks()
{
    ShowPendingRows();
    m_table.InvertChecks();
    if (m_hList != nullptr)
        InvalidateRect(m_hList, nullptr, FALSE);
    ChecksChanged();
}

void CResultsListView::SetRowsChecked(const std::vector<int>& rows, bool bChecked)
{
    int nFirst = m_nShownRows;
    int nLast = -1;
    for (int nRow : rows)
    {
        if (nRow < 0 || nRow >= std::min(m_nShownRows, m_table.GetRowCount()))
            continue;
        m_table.SetChecked(nRow, bChecked);
        nFirst = std::min(nFirst, nRow);
        nLast = std::max(nLast, nRow);
    }
    if (nLast < nFirst)
        return;
    RedrawRows(nFirst, nLast);
    ChecksChanged();
}

int CResultsListView::UncheckWhere(const std::function<bool(const SCandidateRow&)>& pick)
{
    ShowPendingRows();
    int nChanged = 0;
    const int nRows = m_table.GetRowCount();
    for (int nRow = 0; nRow < nRows; ++nRow)
    {
        const SCandidateRow& row = m_table.Rows()[static_cast<size_t>(nRow)];
        if (row.bChecked && pick(row))
        {
            m_table.SetChecked(nRow, false);
            ++nChanged;
        }
    }
    if (nChanged > 0)
    {
        InvalidateRect(m_hList, nullptr, FALSE);
        ChecksChanged();
    }
    return nChanged;
}

void CResultsListView::Sort(ESortColumn column, bool bDescending)
{
    ShowPendingRows();
    m_table.Sort(column, bDescending);
}

void CResultsListView::ShowSortIndicator(int nColumn, bool bDescending)
{
    HWND hHeader = ListView_GetHeader(m_hList);
    for (int i = 0; i < COLUMN_COUNT; ++i)
    {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(hHeader, i, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == nColumn)
            item.fmt |= bDescending ? HDF_SORTDOWN : HDF_SORTUP;
        Header_SetItem(hHeader, i, &item);
    }
}

int CResultsListView::CurrentRow() const
{
    if (m_hList == nullptr)
        return -1;
    const int nRow = ListView_GetNextItem(m_hList, -1, LVNI_FOCUSED);
    return nRow < m_nShownRows ? nRow : -1;
}

void CResultsListView::SetCurrentRow(int nRow)
{
    ListView_SetItemState(m_hList, nRow, LVIS_FOCUSED | LVIS_SELECTED,
                          LVIS_FOCUSED | LVIS_SELECTED);
}

std::vector<int> CResultsListView::SelectedRows() const
{
    std::vector<int> rows;
    int nRow = -1;
    while ((nRow = ListView_GetNextItem(m_hList, nRow, LVNI_SELECTED)) >= 0 && nRow < m_nShownRows)
        rows.push_back(nRow);
    return rows;
}

void CResultsListView::ScrollToLastRow()
{
    if (m_nShownRows > 0)
        ListView_EnsureVisible(m_hList, m_nShownRows - 1, FALSE);
}

std::array<int, CResultsListView::COLUMN_COUNT> CResultsListView::ColumnWidths() const
{
    return {ListView_GetColumnWidth(m_hList, 0), ListView_GetColumnWidth(m_hList, 1),
            ListView_GetColumnWidth(m_hList, 2), ListView_GetColumnWidth(m_hList, 3)};
}

void CResultsListView::SetColumnWidths(const std::array<int32_t, COLUMN_COUNT>& widths)
{
    for (int i = 0; i < COLUMN_COUNT; ++i)
        ListView_SetColumnWidth(m_hList, i, widths[static_cast<size_t>(i)]);
}

int CResultsListView::ClientWidth() const
{
    RECT rect{};
    GetClientRect(m_hList, &rect);
    return rect.right - rect.left;
}

void CResultsListView::FillCell(NMLVDISPINFOW& info)
{
    LVITEMW& item = info.item;
    if (item.iItem < 0 || item.iItem >= std::min(m_nShownRows, m_table.GetRowCount()))
    {
        // A row removed while removals are held back: nothing to show.
        if ((item.mask & LVIF_TEXT) != 0 && item.cchTextMax > 0)
            item.pszText[0] = L'\0';
        if ((item.mask & LVIF_STATE) != 0)
            item.state = 0;
        return;
    }
    const SCandidateRow& row = m_table.Rows()[static_cast<size_t>(item.iItem)];
    if ((item.mask & LVIF_TEXT) != 0 && item.cchTextMax > 0)
    {
        switch (item.iSubItem)
        {
        case 0:
            m_strCell = WideFromAnsi(row.strPath);
            break;
        case 1:
            m_strCell = WideFromAnsi(CCandidateTable::ReasonWord(row.nReason));
            break;
        case 2:
            m_strCell = WideFromAnsi(CCandidateTable::SizeText(row.dSize, row.nReason));
            break;
        default:
            m_strCell = WideFromAnsi(CCandidateTable::ModifiedText(row.nModified));
            break;
        }
        const size_t nCopy = std::min(m_strCell.size(), static_cast<size_t>(item.cchTextMax - 1));
        std::copy_n(m_strCell.data(), nCopy, item.pszText);
        item.pszText[nCopy] = L'\0';
    }
    if ((item.mask & LVIF_STATE) != 0 && item.iSubItem == 0)
    {
        item.state = INDEXTOSTATEIMAGEMASK(row.bChecked ? STATE_CHECKED : STATE_UNCHECKED);
        item.stateMask = LVIS_STATEIMAGEMASK;
    }
}

bool CResultsListView::OnClick(const NMITEMACTIVATE& activate)
{
    LVHITTESTINFO hit{};
    hit.pt = activate.ptAction;
    const int nRow = ListView_HitTest(m_hList, &hit);
    if (nRow < 0 || (hit.flags & LVHT_ONITEMSTATEICON) == 0)
        return false;
    SetRowChecked(nRow, !IsRowChecked(nRow));
    return true;
}

bool CResultsListView::OnNotify(const NMHDR& header, LRESULT& lResult)
{
    if (header.hwndFrom != m_hList)
        return false;
    lResult = 0;
    switch (header.code)
    {
    case LVN_GETDISPINFOW:
        FillCell(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
        return true;
    case NM_CLICK:
        OnClick(reinterpret_cast<const NMITEMACTIVATE&>(header));
        return true;
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_SPACE && onToggleSelected)
            onToggleSelected();
        return true;
    case LVN_ODFINDITEMW:
        // Typing in the list finds nothing: the rows are not in a name order.
        lResult = -1;
        return true;
    case LVN_COLUMNCLICK:
        if (onColumnClick)
            onColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        return true;
    case LVN_ITEMCHANGED:
    {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) != 0 &&
            ((change.uNewState ^ change.uOldState) & LVIS_FOCUSED) != 0 && onCurrentRowChanged)
            onCurrentRowChanged();
        return true;
    }
    default:
        return false;
    }
}
