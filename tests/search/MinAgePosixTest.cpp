// The age rule on real files whose modification times are set exactly.
#include "SearchTestSupport.h"
#include "search/CandidateRules.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace
{
constexpr int64_t DAY = 86400;
constexpr std::time_t NOW = 1800000000; // 2027-01-15, the search's start
constexpr int32_t DAYS = 30;

class MinAgeTest : public CSearchTest
{
protected:
    MinAgeTest()
    {
        m_clock.m_nFixedNow = NOW;
        m_doc.Zero = 1;
    }

    // A file changed nAge seconds before the search starts.
    void MakeAged(const std::string& strPath, int64_t nAge, const std::string& strContents)
    {
        m_sandbox.MakeFile(strPath, strContents);
        const struct timespec times[2] = {{NOW - nAge, 0}, {NOW - nAge, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, m_sandbox.HostPath(strPath).c_str(), times, 0), 0);
    }

    // In each folder: a file N-1 days old, one a second short of N days, one
    // exactly N days old and one N+1 days old.
    void MakeAges(const std::string& strFolder, const std::string& strSuffix,
                  const std::string& strContents)
    {
        MakeAged(strFolder + "\\younger" + strSuffix, (DAYS - 1) * DAY, strContents);
        MakeAged(strFolder + "\\second-short" + strSuffix, DAYS * DAY - 1, strContents);
        MakeAged(strFolder + "\\exactly" + strSuffix, DAYS * DAY, strContents);
        MakeAged(strFolder + "\\older" + strSuffix, (DAYS + 1) * DAY, strContents);
    }

    // One folder for each reason: extension, zero length, the Files list and
    // a folder of the Folders list.
    void MakeEveryReason()
    {
        MakeAges("C:\\ext", ".tmp", "junk");
        MakeAges("C:\\zero", ".doc", "");
        MakeAges("C:\\named", ".doc", "named");
        MakeAges("C:\\directed", ".doc", "directed");
        for (const char* pName : {"younger", "second-short", "exactly", "older"})
            m_doc.Lists[LIST_FILE].push_back(std::string("C:\\named\\") + pName + ".doc");
        m_doc.Lists[LIST_FOLDER] = {"C:\\directed"};
    }
};

TEST(IsOldEnoughTest, CountsWholeDaysOfSecondsBeforeTheStart)
{
    EXPECT_TRUE(IsOldEnough(NOW - DAYS * DAY, NOW, DAYS));
    EXPECT_FALSE(IsOldEnough(NOW - DAYS * DAY + 1, NOW, DAYS));
    EXPECT_TRUE(IsOldEnough(NOW - (DAYS + 1) * DAY, NOW, DAYS));
    EXPECT_FALSE(IsOldEnough(NOW - (DAYS - 1) * DAY, NOW, DAYS));
    EXPECT_FALSE(IsOldEnough(NOW + DAY, NOW, 1)) << "a time in the future";
    EXPECT_FALSE(IsOldEnough(UNKNOWN_UNIX_TIME, NOW, 1)) << "an unknown time";
    EXPECT_TRUE(IsOldEnough(UNKNOWN_UNIX_TIME, NOW, 0)) << "off";
    EXPECT_TRUE(IsOldEnough(NOW + DAY, NOW, 0)) << "off";
    EXPECT_TRUE(IsOldEnough(NOW - 3650 * DAY, NOW, 3650));
}

TEST_F(MinAgeTest, EveryReasonListsOnlyFilesAtLeastThatManyDaysOld)
{
    MakeEveryReason();
    m_doc.MinAge = DAYS;
    RunSearch();
    const std::map<std::string, int32_t> expected = {
        {"C:\\ext\\exactly.tmp", REASON_EXTENSION},
        {"C:\\ext\\older.tmp", REASON_EXTENSION},
        {"C:\\zero\\exactly.doc", REASON_ZERO_LENGTH},
        {"C:\\zero\\older.doc", REASON_ZERO_LENGTH},
        {"C:\\named\\exactly.doc", REASON_DIRECTED},
        {"C:\\named\\older.doc", REASON_DIRECTED},
        {"C:\\directed\\exactly.doc", REASON_DIRECTED},
        {"C:\\directed\\older.doc", REASON_DIRECTED},
    };
    EXPECT_EQ(Listed(), expected);
    EXPECT_EQ(m_doc.ExtenCount, 2);
    EXPECT_EQ(m_doc.ZeroCount, 2);
    EXPECT_EQ(m_doc.DirectedCount, 4);
}

TEST_F(MinAgeTest, OffListsFilesOfEveryAgeWithTheirModificationTimes)
{
    MakeEveryReason();
    MakeAged("C:\\ext\\future.tmp", -DAY, "junk");
    RunSearch();
    EXPECT_EQ(Listed().size(), 17u);
    for (const SCandidateRow& row : m_rows)
    {
        const std::string strName = row.strPath.substr(row.strPath.rfind('\\') + 1);
        int64_t nAge = 0;
        if (strName.starts_with("younger"))
            nAge = (DAYS - 1) * DAY;
        else if (strName.starts_with("second-short"))
            nAge = DAYS * DAY - 1;
        else if (strName.starts_with("exactly"))
            nAge = DAYS * DAY;
        else if (strName.starts_with("older"))
            nAge = (DAYS + 1) * DAY;
        else
            nAge = -DAY;
        EXPECT_EQ(row.nModified, NOW - nAge) << row.strPath;
    }
}

TEST_F(MinAgeTest, OneDayAndTheLargestSettingHoldTheirBoundaries)
{
    MakeAged("C:\\a\\day-short.tmp", DAY - 1, "x");
    MakeAged("C:\\a\\day.tmp", DAY, "x");
    MakeAged("C:\\a\\decade-short.tmp", 3650 * DAY - 1, "x");
    MakeAged("C:\\a\\decade.tmp", 3650 * DAY, "x");
    MakeAged("C:\\a\\future.tmp", -DAY, "x");
    m_doc.MinAge = 1;
    RunSearch();
    EXPECT_EQ(Listed(),
              (std::map<std::string, int32_t>{{"C:\\a\\day.tmp", REASON_EXTENSION},
                                              {"C:\\a\\decade-short.tmp", REASON_EXTENSION},
                                              {"C:\\a\\decade.tmp", REASON_EXTENSION}}));
    m_doc.MinAge = 3650;
    RunSearch();
    EXPECT_EQ(Listed(), (std::map<std::string, int32_t>{{"C:\\a\\decade.tmp", REASON_EXTENSION}}));
}
} // namespace
