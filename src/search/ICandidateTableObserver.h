#pragma once

// Told about every change to the rows of a CCandidateTable, before and after
// it, on the thread that changes the table (the user-interface thread), so a
// list model can announce the change in time. Indexes are row indexes at the
// moment of the call.
class ICandidateTableObserver
{
public:
    virtual ~ICandidateTableObserver() = default;
    virtual void OnRowsAboutToReset() = 0;
    virtual void OnRowsReset() = 0;
    virtual void OnRowAboutToInsert(int nRow) = 0;
    virtual void OnRowInserted(int nRow) = 0;
    virtual void OnRowAboutToRemove(int nRow) = 0;
    virtual void OnRowRemoved(int nRow) = 0;
};
