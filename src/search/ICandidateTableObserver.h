#pragma once

// Told of every change to the rows of a CCandidateTable, just before it and
// just after it, so a list model can announce the change in time (a Qt model
// calls beginResetModel / beginInsertRows / beginRemoveRows from the "about
// to" notice and the matching end function from the "done" notice).
//
// Row ranges are inclusive, nFirst <= nLast, in row indexes as they are at the
// moment of the call: an insertion's indexes are those the new rows will have
// (about to) and have (done); a removal's are those the rows had. Between an
// "about to" notice and its "done" notice the table is being changed: an
// observer must not read or change the table then. Notices never nest, and
// every "about to" notice is followed by its "done" notice before the
// changing call returns.
//
// Threads: the notices come on the thread that changes the table, inside the
// changing call. In the program that is always the user-interface thread: the
// searching thread's rows are added by the window's handler of its message,
// and the rows the disposing thread removes reach the table through
// IResultsList calls that run on the user-interface thread (the worker waits
// for each). No notice ever comes on a worker thread, so a model may call its
// toolkit's functions directly from them.
//
// An observer that announces insertions in batches may count rows the table
// holds but it has not announced yet: a removal of such a row needs no
// announcement, one of an announced row does, with the same index.
class ICandidateTableObserver
{
public:
    virtual ~ICandidateTableObserver() = default;
    // Every row is about to go (Clear).
    virtual void OnRowsAboutToReset() = 0;
    // The table is empty now.
    virtual void OnRowsReset() = 0;
    // Rows nFirst..nLast are about to be inserted (AddCandidateRow: one row,
    // at the end).
    virtual void OnRowsAboutToInsert(int nFirst, int nLast) = 0;
    // Rows nFirst..nLast are in place, readable through Rows().
    virtual void OnRowsInserted(int nFirst, int nLast) = 0;
    // Rows nFirst..nLast are about to be removed (DeleteRow: one row); they
    // can still be read.
    virtual void OnRowsAboutToRemove(int nFirst, int nLast) = 0;
    // Rows nFirst..nLast are gone; the rows after them moved up.
    virtual void OnRowsRemoved(int nFirst, int nLast) = 0;
    // The same rows are about to take another order (Sort); each can still
    // be read at its old index.
    virtual void OnRowsAboutToReorder() = 0;
    // The rows have their new order; a row's address did not change, so an
    // observer that noted the rows it tracks can find their new indexes.
    virtual void OnRowsReordered() = 0;
};
