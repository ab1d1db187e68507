#include "ui/rules/UndoTexts.h"

#include "disposal/CDisposal.h"

#include <gtest/gtest.h>

TEST(UndoTextsTest, ReportCountsNamesAndTellsWhatStaysListed)
{
    SUndoReport report;
    report.result = EUndoResult::Done;
    report.nRestored = 1;
    EXPECT_EQ("1 file was put back where it was.", UndoReportText(report));

    report.nRestored = 0;
    report.stayed = {{"C:\\a.tmp", EUndoStay::Taken}};
    report.nKept = 1;
    EXPECT_EQ("0 files were put back where they were.\n\nThis file stayed where it is:\n"
              "C:\\a.tmp: its original path is taken now\n\nNothing was overwritten. The files "
              "whose path is taken or whose folder cannot be reached stay listed: free the path "
              "and undo again.",
              UndoReportText(report));

    // Only the first ten are named.
    report.stayed.clear();
    report.nKept = 0;
    for (int i = 0; i < 12; ++i)
        report.stayed.push_back({"C:\\f" + std::to_string(i), EUndoStay::Changed});
    const std::string strText = UndoReportText(report);
    EXPECT_NE(std::string::npos,
              strText.find("C:\\f9: changed since it was moved\n... and 2 more."))
        << strText;
    EXPECT_EQ(std::string::npos, strText.find("C:\\f10"));
    EXPECT_EQ(std::string::npos, strText.find("stay listed"));
}

TEST(UndoTextsTest, PurgeNothingAndBusyHaveTheirOwnTexts)
{
    SUndoReport report;
    report.result = EUndoResult::LastWasPurge;
    EXPECT_EQ("The last pass purged its files. A purge cannot be undone.", UndoReportText(report));
    report.result = EUndoResult::NothingToUndo;
    EXPECT_EQ("There is no move to undo.", UndoReportText(report));
    report.result = EUndoResult::Busy;
    EXPECT_EQ(CDisposal::DISPOSAL_BUSY_TEXT, UndoReportText(report));
    EXPECT_STREQ("restore it from the Recycle Bin itself", UndoStayText(EUndoStay::RecycleBin));
}
