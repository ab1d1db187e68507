// scrubix-scan and scrubix-dispose hold files to the age rule: the stored
// setting, or --min-age for one run.
#include "platform/Platform.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "support/CSandboxDrive.h"
#include "support/ToolRunner.h"

#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

namespace
{
constexpr int64_t DAY = 86400;

class MinAgeToolPosixTest : public ::testing::Test
{
protected:
    MinAgeToolPosixTest()
    {
        m_drive.MakeFolder("C:\\prog\\");
        m_drive.MakeFolder("C:\\dest\\");
        // An hour's margin either side: the tools read their own clock.
        MakeAged("C:\\junk\\new.tmp", 10 * DAY - 3600);
        MakeAged("C:\\junk\\old.tmp", 10 * DAY + 3600);
        MakeAged("C:\\junk\\ancient.tmp", 400 * DAY);
    }

    void MakeAged(const std::string& strPath, int64_t nAge)
    {
        m_drive.MakeFile(strPath, "junk");
        const std::time_t nWhen = std::time(nullptr) - nAge;
        const struct timespec times[2] = {{nWhen, 0}, {nWhen, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, m_drive.HostPath(strPath).c_str(), times, 0), 0);
    }

    void StoreMinAge(const std::string& strDays)
    {
        SPlatform platform = CreatePlatform();
        CSettingsStore store(*platform.pRegistry);
        OpenSettingsStore(store, *platform.pFileSystem);
        ASSERT_TRUE(store.SetString("Settings", "MinAge", strDays));
    }

    // The scan's paths, in the text form's first field, sorted.
    std::string Scan(const std::string& strArguments)
    {
        const SToolResult result =
            RunTool("scrubix-scan", strArguments, m_drive.HostPath("C:\\prog"));
        EXPECT_EQ(result.nExitCode, 0) << result.strOutput;
        std::string strNames;
        for (const char* pName : {"ancient.tmp", "new.tmp", "old.tmp"})
            if (result.strOutput.find(std::string("C:\\junk\\") + pName + "\t") !=
                std::string::npos)
                strNames += std::string(strNames.empty() ? "" : " ") + pName;
        return strNames;
    }

    CSandboxDrive m_drive;
};

TEST_F(MinAgeToolPosixTest, ScanFollowsTheStoredSettingAndTheArgument)
{
    EXPECT_EQ(Scan("C:"), "ancient.tmp new.tmp old.tmp");
    EXPECT_EQ(Scan("--min-age 10 C:"), "ancient.tmp old.tmp");
    EXPECT_EQ(Scan("--min-age 9 C:"), "ancient.tmp new.tmp old.tmp");
    EXPECT_EQ(Scan("--min-age 11 --format text C:"), "ancient.tmp");
    EXPECT_EQ(Scan("--min-age 3650 C:"), "");

    StoreMinAge("10");
    EXPECT_EQ(Scan("C:"), "ancient.tmp old.tmp");
    EXPECT_EQ(Scan("--min-age 0 C:"), "ancient.tmp new.tmp old.tmp") << "off for this run";
    EXPECT_EQ(Scan("C:"), "ancient.tmp old.tmp") << "the argument is never stored";
}

TEST_F(MinAgeToolPosixTest, DisposeTakesOnlyFilesOldEnough)
{
    SToolResult result =
        RunTool("scrubix-dispose",
                "--move-to-folder 'C:\\dest' --min-age 100 C:", m_drive.HostPath("C:\\prog"));
    ASSERT_EQ(result.nExitCode, 0) << result.strOutput;
    EXPECT_TRUE(m_drive.Exists("C:\\dest\\ancient.tmp"));
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\old.tmp"));
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\new.tmp"));

    StoreMinAge("10");
    result =
        RunTool("scrubix-dispose", "--move-to-folder 'C:\\dest' C:", m_drive.HostPath("C:\\prog"));
    ASSERT_EQ(result.nExitCode, 0) << result.strOutput;
    EXPECT_TRUE(m_drive.Exists("C:\\dest\\old.tmp"));
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\new.tmp"));

    result = RunTool("scrubix-dispose",
                     "--move-to-folder 'C:\\dest' --min-age ten C:", m_drive.HostPath("C:\\prog"));
    EXPECT_EQ(result.nExitCode, 2);
    EXPECT_NE(result.strOutput.find("--min-age needs a number of days from 0 to 3650"),
              std::string::npos)
        << result.strOutput;
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\new.tmp"));
}
} // namespace
