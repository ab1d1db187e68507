#pragma once

#include "platform/FileTimes.h"
#include "platform/FileTypes.h"
#include "search/CListedPaths.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

class CScrubixDoc;
class ICandidateTableObserver;

// Columns the rows can be ordered by.
enum class ESortColumn : int
{
    Path = 0,     // as text, ASCII letter case ignored, then byte order
    Reason = 1,   // by the reason's word, as text
    Size = 2,     // by the byte count
    Modified = 3, // by the modification time; an unknown time first
};

// One row of the results list.
struct SCandidateRow
{
    std::string strPath;
    int32_t nReason = 0;
    bool bChecked = true;
    bool bListed = true; // false once deleted (the row keeps its storage)
    double dSize = 0;
    SFileIdentity identity; // the file as the search saw it
    // Last modification, whole seconds since 1970 (UTC); UNKNOWN_UNIX_TIME
    // when the search could not read it.
    int64_t nModified = UNKNOWN_UNIX_TIME;
};

// The window's side of the candidate handshake, without any toolkit: the rows
// of the results list and the set of paths already listed. Used only on the
// user-interface thread (or the thread that plays it); every change is told
// to the observer on that thread (ICandidateTableObserver).
//
// Each listed path is held once: in its row. Rows are stored in blocks and
// never move while the table lives; the row order is a list of pointers to
// them, and the set of listed paths points at the rows' strings. A deleted
// row leaves the order but keeps its place in storage, so its path stays
// listed until Clear, as the set of listed paths is emptied only then.
class CCandidateTable
{
public:
    // The rows in list order, read-only; valid until the table changes.
    class CRows
    {
    public:
        class CIterator
        {
        public:
            using iterator_category = std::forward_iterator_tag;
            using value_type = SCandidateRow;
            using difference_type = std::ptrdiff_t;
            using pointer = const SCandidateRow*;
            using reference = const SCandidateRow&;

            CIterator() = default;
            explicit CIterator(SCandidateRow* const* pAt) : m_pAt(pAt) {}
            reference operator*() const { return **m_pAt; }
            pointer operator->() const { return *m_pAt; }
            CIterator& operator++()
            {
                ++m_pAt;
                return *this;
            }
            CIterator operator++(int)
            {
                CIterator before = *this;
                ++m_pAt;
                return before;
            }
            bool operator==(const CIterator& other) const { return m_pAt == other.m_pAt; }
            bool operator!=(const CIterator& other) const { return m_pAt != other.m_pAt; }

        private:
            SCandidateRow* const* m_pAt = nullptr;
        };

        explicit CRows(const std::vector<SCandidateRow*>& order) : m_order(order) {}
        size_t size() const { return m_order.size(); }
        bool empty() const { return m_order.empty(); }
        const SCandidateRow& operator[](size_t nRow) const { return *m_order[nRow]; }
        const SCandidateRow& front() const { return *m_order.front(); }
        const SCandidateRow& back() const { return *m_order.back(); }
        CIterator begin() const { return CIterator(m_order.data()); }
        CIterator end() const { return CIterator(m_order.data() + m_order.size()); }
        // A copy of every row, in order.
        std::vector<SCandidateRow> Copy() const { return {begin(), end()}; }

    private:
        const std::vector<SCandidateRow*>& m_order;
    };

    CCandidateTable() = default;
    CCandidateTable(const CCandidateTable&) = delete;
    CCandidateTable& operator=(const CCandidateTable&) = delete;

    // The one observer told of every change, or none (nullptr). The observer
    // must outlive the table or be replaced before it goes.
    void SetObserver(ICandidateTableObserver* pObserver) { m_pObserver = pObserver; }

    // Takes the candidate from the document's mailbox. A path already listed
    // (exact comparison, letter case included) adds no row and changes no
    // counter. Always hands the mailbox back (CandidateAck = 1, release) as
    // its last step, after the insertion notices. True when a row was added.
    bool AddCandidateRow(CScrubixDoc& doc);

    CRows Rows() const { return CRows(m_order); }
    int GetRowCount() const { return static_cast<int>(m_order.size()); }
    // Removes one row, with its removal notices; an index out of range
    // changes nothing and tells nothing.
    void DeleteRow(int nRow);
    void SetChecked(int nRow, bool bChecked);
    // Every row checked (or unchecked); the counters follow in one pass.
    void SetAllChecked(bool bChecked);
    // Every row's check box flipped.
    void InvertChecks();
    // Checked rows and the bytes they hold, kept as running totals (a
    // zero-length row adds no bytes, as in the total label). O(1).
    int GetCheckedCount() const { return m_nChecked; }
    double GetCheckedBytes() const { return m_dCheckedBytes; }
    // "%d checked, %dK bytes" of the running totals.
    std::string CheckedText() const;

    // Reorders the rows by the column, ascending or descending, with the
    // reorder notices. Stable: rows that compare equal keep their order.
    // The row order is the one the list shows and the disposal walks.
    void Sort(ESortColumn column, bool bDescending);
    // Empties the rows and the set of listed paths, with the reset notices
    // (also when the table is empty already).
    void Clear();

    // Size column: "0" for Zero Length, "%dK" above 1000 bytes, else "%d";
    // a kilobyte is 1000 bytes.
    static std::string SizeText(double dSize, int32_t nReason);
    // Total label: "%dK bytes".
    static std::string TotalText(double dTotal);
    // Modified column: the local date and time to the minute,
    // "YYYY-MM-DD HH:MM" whatever the locale ("2026-12-09 14:03"); empty for
    // an unknown time or one the C library cannot convert. Reads the time
    // zone through the C library's shared buffer: the user-interface thread
    // (or a tool's one thread) only.
    static std::string ModifiedText(int64_t nModified);
    // Reason column: "Extension", "Zero Length", "Directed"; empty otherwise.
    static const char* ReasonWord(int32_t nReason);

    // Bytes the table holds beside the paths' own text (row storage, order,
    // set of listed paths; not the strings' heap blocks), for measurements.
    size_t BytesHeld() const;

private:
    // Row storage: blocks of ROWS_PER_BLOCK rows, filled in order; m_nStored
    // rows are in use (deleted ones included).
    static constexpr size_t ROWS_PER_BLOCK = 4096;
    std::vector<std::unique_ptr<SCandidateRow[]>> m_blocks;
    size_t m_nStored = 0;
    std::vector<SCandidateRow*> m_order;
    CListedPaths m_listedPaths;
    ICandidateTableObserver* m_pObserver = nullptr;
    int m_nChecked = 0;
    double m_dCheckedBytes = 0;

    static double CountedBytes(const SCandidateRow& row);
    void CountRow(const SCandidateRow& row, int nSign);
    // Calls f for each listed row in storage order (memory order, which a
    // sorted order is not: a million rows are walked several times faster).
    template <typename F> void ForEachStoredRow(F f);
};

template <typename F> void CCandidateTable::ForEachStoredRow(F f)
{
    for (size_t n = 0; n < m_nStored; ++n)
    {
        SCandidateRow& row = m_blocks[n / ROWS_PER_BLOCK][n % ROWS_PER_BLOCK];
        if (row.bListed)
            f(row);
    }
}
