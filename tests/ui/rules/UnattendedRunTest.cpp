#include "ui/rules/UnattendedRun.h"

#include "disposal/SDisposalSummary.h"
#include "settings/CLaunchMode.h"

#include <gtest/gtest.h>

namespace
{
SDisposalSummary Pass(EDisposalMode kind, bool bToFolder, int32_t nDisposed, int32_t nFailed,
                      double dBytes)
{
    SDisposalSummary summary;
    summary.bRan = true;
    summary.kind = kind;
    summary.bToFolder = bToFolder;
    summary.strMovePath = bToFolder ? "C:\\Bak" : "";
    summary.nDisposed = nDisposed;
    summary.nFailed = nFailed;
    summary.dDisposedBytes = dBytes;
    return summary;
}
} // namespace

TEST(UnattendedRunTest, NoticeTextForEachKindOfPass)
{
    struct SCase
    {
        SDisposalSummary summary;
        const char* pszText;
    };
    const EDisposalMode MOVE = EDisposalMode::Move;
    const EDisposalMode PURGE = EDisposalMode::Purge;
    const SCase cases[] = {
        {Pass(MOVE, false, 42, 2, 3100999),
         "Scrubix moved 42 files (3,100K bytes) to the Trash; 2 could not be moved."},
        {Pass(MOVE, true, 42, 0, 3100999),
         "Scrubix moved 42 files (3,100K bytes) to /home/me/Bak."},
        {Pass(PURGE, false, 1, 1, 999),
         "Scrubix purged 1 file (0K bytes); 1 could not be deleted."},
        {Pass(PURGE, false, 7, 0, 1234567890), "Scrubix purged 7 files (1,234,567K bytes)."},
        {Pass(MOVE, false, 0, 3, 0), "Scrubix moved no files to the Trash; 3 could not be moved."},
        {Pass(MOVE, true, 0, 0, 0), "Scrubix found no files to move."},
        {Pass(PURGE, false, 0, 0, 0), "Scrubix found no files to purge."},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(DisposalNoticeText(c.summary, "Trash", "/home/me/Bak"), c.pszText);

    SDisposalSummary incomplete = Pass(PURGE, false, 2, 0, 2000);
    incomplete.bReportIncomplete = true;
    EXPECT_EQ(DisposalNoticeText(incomplete, "Recycle Bin", ""),
              "Scrubix purged 2 files (2K bytes). The Anomaly Report could not be written.");
    EXPECT_EQ(DisposalNoticeText(SDisposalSummary{}, "Trash", ""), "");
}

TEST(UnattendedRunTest, GroupedKBytesTruncatesAndGroupsByThousands)
{
    EXPECT_EQ(GroupedKBytes(0), "0K bytes");
    EXPECT_EQ(GroupedKBytes(999999), "999K bytes");
    EXPECT_EQ(GroupedKBytes(1000000), "1,000K bytes");
    EXPECT_EQ(GroupedKBytes(5e12), "5,000,000,000K bytes"); // beyond 32 bits
}

TEST(UnattendedRunTest, NoticeOffersTheReportOnlyWhenOneWasWritten)
{
    SDisposalSummary summary = Pass(EDisposalMode::Move, false, 1, 0, 10);
    EXPECT_FALSE(NoticeOffersReport(summary));
    summary.strReportPath = "C:\\Prog\\anomaly.txt";
    EXPECT_TRUE(NoticeOffersReport(summary));
    summary.bRan = false;
    EXPECT_FALSE(NoticeOffersReport(summary));
}

TEST(UnattendedRunTest, DisplayChoiceAndExitStatus)
{
    CLaunchMode visible;
    CLaunchMode boot;
    boot.BootLaunch = 1;
    CLaunchMode invisible;
    invisible.InvisibleMode = 1;
    invisible.BootLaunch = 1;
    struct SCase
    {
        CLaunchMode mode;
        bool bChosen;
        bool bReachable;
        EDisplayChoice choice;
    };
    const SCase cases[] = {
        {visible, false, true, EDisplayChoice::Normal},
        {visible, false, false, EDisplayChoice::Refuse},
        {boot, false, false, EDisplayChoice::Refuse},
        {visible, true, false, EDisplayChoice::Normal}, // the user's platform is respected
        {invisible, false, true, EDisplayChoice::Normal},
        {invisible, false, false, EDisplayChoice::Offscreen},
        {invisible, true, false, EDisplayChoice::Normal},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(ChooseDisplay(c.mode, c.bChosen, c.bReachable), c.choice)
            << c.mode.InvisibleMode << c.mode.BootLaunch << c.bChosen << c.bReachable;

    EXPECT_EQ(UnattendedExitStatus(true, false), EXIT_RUN_OK);
    EXPECT_EQ(UnattendedExitStatus(true, true), EXIT_REPORT_NOT_WRITTEN);
    EXPECT_EQ(UnattendedExitStatus(false, false), EXIT_SETTINGS_UNREADABLE);
    EXPECT_EQ(UnattendedExitStatus(false, true), EXIT_SETTINGS_UNREADABLE);
}
