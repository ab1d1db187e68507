#include "platform/Platform.h"
#include "support/CSandboxDrive.h"
#include "support/PlatformTraits.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>
#include <string>

// A drive table that is set but names no drive is refused like any drive the
// table does not hold: the tool says the drive cannot be searched and stops.
TEST(DriveTableToolTest, AToolGivenAnOverrideWithoutAValidDriveSearchesNothing)
{
    CSandboxDrive sandbox;
    sandbox.MakeFile("C:\\junk\\a.tmp");
    for (const char* pszTable : {"", "   ", "bad", "C:relative"})
    {
        sandbox.SetDriveTable(pszTable);
        // Never let the tool loose on a table that would reach the real disk.
        ASSERT_TRUE(CreatePlatform().pFileSystem->ListDrives().empty()) << '"' << pszTable << '"';
        SToolResult result = RunTool("scrubix-scan", "C:", sandbox.HostPath("C:\\"));
        EXPECT_EQ(result.nExitCode, 1) << '"' << pszTable << '"';
        EXPECT_EQ(ConsoleText(result.strOutput), "scrubix-scan: drive C: cannot be searched\n")
            << '"' << pszTable << '"';
    }
    EXPECT_TRUE(sandbox.Exists("C:\\junk\\a.tmp"));
}
