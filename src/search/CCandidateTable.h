#pragma once

#include "platform/FileTypes.h"

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

class CScrubixDoc;
class ICandidateTableObserver;

// One row of the results list.
struct SCandidateRow
{
    std::string strPath;
    int32_t nReason = 0;
    double dSize = 0;
    SFileIdentity identity; // the file as the search saw it
    bool bChecked = true;
};

// The window's side of the candidate handshake, without any toolkit: the rows
// of the results list and the set of paths already listed. Used only on the
// user-interface thread (or the thread that plays it); every change is told
// to the observer on that thread (ICandidateTableObserver).
class CCandidateTable
{
public:
    // The one observer told of every change, or none (nullptr). The observer
    // must outlive the table or be replaced before it goes.
    void SetObserver(ICandidateTableObserver* pObserver) { m_pObserver = pObserver; }

    // Takes the candidate from the document's mailbox. A path already listed
    // (exact comparison, letter case included) adds no row and changes no
    // counter. Always hands the mailbox back (CandidateAck = 1, release) as
    // its last step, after the insertion notices. True when a row was added.
    bool AddCandidateRow(CScrubixDoc& doc);

    const std::vector<SCandidateRow>& Rows() const { return m_rows; }
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    // Removes one row, with its removal notices; an index out of range
    // changes nothing and tells nothing.
    void DeleteRow(int nRow);
    void SetChecked(int nRow, bool bChecked);
    // Empties the rows and the set of listed paths, with the reset notices
    // (also when the table is empty already).
    void Clear();

    // Size column: "0" for Zero Length, "%dK" above 1000 bytes, else "%d";
    // a kilobyte is 1000 bytes.
    static std::string SizeText(double dSize, int32_t nReason);
    // Total label: "%dK bytes".
    static std::string TotalText(double dTotal);
    // Reason column: "Extension", "Zero Length", "Directed"; empty otherwise.
    static const char* ReasonWord(int32_t nReason);

private:
    std::vector<SCandidateRow> m_rows;
    std::unordered_set<std::string> m_listedPaths;
    ICandidateTableObserver* m_pObserver = nullptr;
};
