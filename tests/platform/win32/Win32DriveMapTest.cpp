#include "platform/win32/CWin32DriveMap.h"
#include "platform/win32/CWin32FileSystem.h"
#include "support/CSandboxDrive.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(Win32DriveMapTest, AnUnsetTableIsTheRealDrives)
{
    CSandboxDrive sandbox;
    ASSERT_TRUE(::SetEnvironmentVariableA("SCRUBIX_DRIVES", nullptr));
    const CWin32DriveMap map = CWin32DriveMap::FromEnvironment();
    sandbox.SetDriveTable("C:=" + sandbox.DriveFolder().string()); // before any assertion
    EXPECT_TRUE(map.IsIdentity());
    EXPECT_EQ(map.ToHost("C:\\Windows"), "C:\\Windows");
}

TEST(Win32DriveMapTest, AnOverrideWithoutAValidDriveGivesNoDrivesNeverTheRealOnes)
{
    CSandboxDrive sandbox;
    for (const char* pszTable : {"", " ", "   ", ";", "bad", "C:relative", "C:=x\\y", " C:=D:\\x"})
    {
        sandbox.SetDriveTable(pszTable);
        const CWin32DriveMap map = CWin32DriveMap::FromEnvironment();
        EXPECT_FALSE(map.IsIdentity()) << '"' << pszTable << '"';
        EXPECT_TRUE(map.Drives().empty()) << '"' << pszTable << '"';
        EXPECT_EQ(map.ToHost("C:\\"), std::nullopt) << '"' << pszTable << '"';
        EXPECT_EQ(map.ToProgram("C:\\Windows"), std::nullopt) << '"' << pszTable << '"';
        CWin32FileSystem fileSystem(map);
        EXPECT_TRUE(fileSystem.ListDrives().empty()) << '"' << pszTable << '"';
        EXPECT_FALSE(fileSystem.IsFolderAccessible("C:\\")) << '"' << pszTable << '"';
    }
}
