#include "ui/rules/ViewTexts.h"

#include "search/CCandidateTable.h"
#include "settings/CScrubixDoc.h"

void ApplyCandidateTexts(const SCandidateRow& row, const CScrubixDoc& doc, SViewTexts& texts)
{
    texts.strCandidateFile = row.strPath;
    texts.strExtenCount = std::to_string(doc.ExtenCount);
    texts.strTotalSize = CCandidateTable::TotalText(doc.TotalSize);
    texts.strZeroCount = std::to_string(doc.ZeroCount);
    texts.strDirectedCount = std::to_string(doc.DirectedCount);
}
