#pragma once

#include <string>

struct SCandidateRow;
class CScrubixDoc;

// The six strings the results view binds to its value labels. The view only
// ever pushes them to the labels (1001, 1003, 1002, 1008, 1007, 1013); it
// never reads them back. All start empty.
struct SViewTexts
{
    std::string strExtenCount;    // 1001
    std::string strTotalSize;     // 1003
    std::string strZeroCount;     // 1002
    std::string strCandidateFile; // 1008
    std::string strSearchingPath; // 1007
    std::string strDirectedCount; // 1013

    bool operator==(const SViewTexts&) const = default;
};

// The texts after a row has been listed: the candidate file is the new row's
// path, the counters and the total ("%dK bytes", a kilobyte being 1000 bytes)
// come from the document's window-only counters. Takes the path from the row,
// not from the document's mailbox, which the searching thread may already be
// refilling once the candidate has been acknowledged. UI thread.
void ApplyCandidateTexts(const SCandidateRow& row, const CScrubixDoc& doc, SViewTexts& texts);
