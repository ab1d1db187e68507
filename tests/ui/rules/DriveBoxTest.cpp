#include "ui/rules/DriveBox.h"

#include "ShellTestFixture.h"
#include "ui/rules/StartSearch.h"

#include <gtest/gtest.h>

TEST(DriveBoxTest, EntriesKeepTheLetterThird)
{
    EXPECT_EQ(DriveBoxEntry("C:", ""), "[-c-]");
    EXPECT_EQ(DriveBoxEntry("d:", "/srv/data"), "[-d-] /srv/data");
    std::string strRoot;
    ASSERT_TRUE(ParseDriveEntry(DriveBoxEntry("Q:", "/mnt/x y"), strRoot));
    EXPECT_EQ(strRoot, "Q:");
}

TEST(DriveBoxTest, AnEntrySplitsIntoItsLetterAndItsFolder)
{
    using Parts = SDriveBoxEntryParts;
    EXPECT_EQ(SplitDriveBoxEntry(DriveBoxEntry("C:", "/tmp/a b/drive-one")),
              (Parts{"[-c-]", "/tmp/a b/drive-one"}));
    EXPECT_EQ(SplitDriveBoxEntry(DriveBoxEntry("D:", "/")), (Parts{"[-d-]", "/"}));
    EXPECT_EQ(SplitDriveBoxEntry(DriveBoxEntry("E:", "")), (Parts{"[-e-]", ""}));
    EXPECT_EQ(SplitDriveBoxEntry("[-f-] "), (Parts{"[-f-] ", ""}));
    EXPECT_EQ(SplitDriveBoxEntry("odd"), (Parts{"odd", ""}));
}

TEST(DriveBoxTest, ParsingEntries)
{
    struct SParseCase
    {
        const char* pEntry;
        bool bParsed;
        const char* pRoot;
    };
    const SParseCase cases[] = {
        {"[-c-]", true, "C:"},
        {"[-z-]", true, "Z:"},
        {"[-D-]", true, "D:"},
        {"ab", false, ""},
        {"", false, ""},
        {"[- -]", false, ""},
        {"[-\\-]", false, ""},
        {"[-1-]", false, ""},
        {"[-:-]", false, ""},
        {"xxe", true, "E:"},
        {"[-c-] /home/u", true, "C:"},
    };
    for (const SParseCase& c : cases)
    {
        std::string strRoot;
        EXPECT_EQ(ParseDriveEntry(c.pEntry, strRoot), c.bParsed) << '"' << c.pEntry << '"';
        if (c.bParsed)
        {
            EXPECT_EQ(strRoot, c.pRoot) << c.pEntry;
        }
    }
}

TEST(DriveBoxTest, MatchingTheRememberedDrive)
{
    const std::vector<std::string> entries = {"[-c-] /", "[-d-] /data", "[-e-]"};
    EXPECT_EQ(MatchRememberedDrive(entries, "D:", "C:\\"), 1);
    EXPECT_EQ(MatchRememberedDrive(entries, "e", "C:\\"), 2);
    EXPECT_EQ(MatchRememberedDrive(entries, "", "D:\\work"), 1); // the current folder's drive
    EXPECT_EQ(MatchRememberedDrive(entries, "G:", "C:\\"), -1);  // a drive that has gone
    EXPECT_EQ(MatchRememberedDrive(entries, "", ""), -1);
    EXPECT_EQ(MatchRememberedDrive({}, "C:", "C:\\"), -1);
    EXPECT_EQ(MatchRememberedDrive({"ab", "[-c-]"}, "C", ""), 1); // short entries never match
}

TEST_F(ShellTest, FillDriveBoxSelectsTheRememberedDrive)
{
    m_store.SetString("Settings", "Drive", "c:");
    const SDriveBoxFill fill = FillDriveBox(m_fileSystem, m_store);
    ASSERT_EQ(fill.entries.size(), 1u);
    EXPECT_EQ(fill.entries[0].substr(0, 5), "[-c-]");
    EXPECT_EQ(fill.nSelected, 0);
    EXPECT_EQ(m_store.GetString("Settings", "Drive", ""), "C");
}

TEST_F(ShellTest, FillDriveBoxLeavesAGoneDriveRememberedAndNothingSelected)
{
    m_store.SetString("Settings", "Drive", "K:");
    const SDriveBoxFill fill = FillDriveBox(m_fileSystem, m_store);
    EXPECT_EQ(fill.nSelected, -1);
    EXPECT_EQ(m_store.GetString("Settings", "Drive", ""), "K:");
    // With nothing selected, Search starts nothing.
    const SStartSearch start = PrepareSearch(fill.nSelected, "", m_fileSystem, m_store);
    EXPECT_EQ(start.outcome, EStartSearch::ListBoxError);
    EXPECT_EQ(start.strMessage, "List Box Error");
}

TEST_F(ShellTest, PrepareSearchRemembersAnEnterableRoot)
{
    const SStartSearch start = PrepareSearch(0, "[-c-] /anything", m_fileSystem, m_store);
    EXPECT_EQ(start.outcome, EStartSearch::Start);
    EXPECT_EQ(start.strRoot, "C:");
    EXPECT_EQ(start.strMessage, "");
    EXPECT_EQ(m_store.GetString("Settings", "Drive", ""), "C:");
}

TEST_F(ShellTest, PrepareSearchRefusesADriveItCannotEnter)
{
    m_store.SetString("Settings", "Drive", "C");
    const SStartSearch start = PrepareSearch(1, "[-q-]", m_fileSystem, m_store);
    EXPECT_EQ(start.outcome, EStartSearch::CannotScanPath);
    EXPECT_EQ(start.strRoot, "Q:");
    EXPECT_EQ(start.strMessage, "Cannot Scan Path\nQ:");
    EXPECT_EQ(m_store.GetString("Settings", "Drive", ""), "C"); // not written

    const SStartSearch shortEntry = PrepareSearch(0, "[-", m_fileSystem, m_store);
    EXPECT_EQ(shortEntry.outcome, EStartSearch::ListBoxError);
    EXPECT_EQ(m_store.GetString("Settings", "Drive", ""), "C");
}
