#include "ui/rules/UndoTexts.h"

#include "disposal/CDisposal.h"

const char* UndoStayText(EUndoStay reason)
{
    switch (reason)
    {
    case EUndoStay::Changed:
        return "changed since it was moved";
    case EUndoStay::Taken:
        return "its original path is taken now";
    case EUndoStay::Gone:
        return "no longer where it was moved to";
    case EUndoStay::Unreachable:
        return "its folder cannot be reached safely";
    case EUndoStay::RecycleBin:
        return "restore it from the Recycle Bin itself";
    }
    return "";
}

std::string UndoReportText(const SUndoReport& report)
{
    switch (report.result)
    {
    case EUndoResult::NothingToUndo:
        return UNDO_NOTHING_TEXT;
    case EUndoResult::LastWasPurge:
        return UNDO_AFTER_PURGE_TEXT;
    case EUndoResult::Busy:
        return CDisposal::DISPOSAL_BUSY_TEXT;
    case EUndoResult::Done:
        break;
    }
    std::string strText = report.nRestored == 1 ? std::string("1 file was put back where it was.")
                                                : std::to_string(report.nRestored) +
                                                      " files were put back where they were.";
    if (report.stayed.empty())
        return strText;
    strText += report.stayed.size() == 1 ? "\n\nThis file stayed where it is:"
                                         : "\n\nThese files stayed where they are:";
    for (size_t i = 0; i < report.stayed.size() && i < UNDO_REPORT_NAMES; ++i)
        strText += "\n" + report.stayed[i].strPath + ": " + UndoStayText(report.stayed[i].reason);
    if (report.stayed.size() > UNDO_REPORT_NAMES)
        strText +=
            "\n... and " + std::to_string(report.stayed.size() - UNDO_REPORT_NAMES) + " more.";
    if (report.nKept > 0)
        strText += "\n\nNothing was overwritten. The files whose path is taken or whose folder "
                   "cannot be reached stay listed: free the path and undo again.";
    else
        strText += "\n\nNothing was overwritten.";
    return strText;
}
