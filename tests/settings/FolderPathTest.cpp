// Folder entries read the way the file system reads them, so that no spelling
// of a drive root passes for a folder.
#include "settings/FolderPath.h"

#include <gtest/gtest.h>

namespace
{
struct SResolveCase
{
    const char* pszPath;
    const char* pszResolved;
    bool bFullPath;
    bool bDriveRoot;
};

TEST(FolderPathTest, DotsAndSeparatorsResolveAndRootsInDisguiseAreRoots)
{
    const SResolveCase cases[] = {
        {"C:\\Temp", "C:\\Temp", true, false},
        {"C:\\Temp\\", "C:\\Temp", true, false},
        {"c:\\Temp\\.\\Sub\\..", "c:\\Temp", true, false},
        {"C:/Temp//Sub/", "C:\\Temp\\Sub", true, false},
        {"C:\\Temp\\...", "C:\\Temp\\...", true, false}, // a name, not a step
        // The drive itself, however it is spelt.
        {"C:", "C:", true, true},
        {"C:\\", "C:", true, true},
        {"C:\\.", "C:", true, true},
        {"C:\\\\\\", "C:", true, true},
        {"C:/.", "C:", true, true},
        {"C:\\etc\\..", "C:", true, true},
        {"C:\\etc\\..\\", "C:", true, true},
        {"C:\\a\\b\\..\\..\\.", "C:", true, true},
        // Climbing above the root stands for the root.
        {"C:\\..", "C:", true, true},
        {"C:\\..\\Temp", "C:", true, true},
        {"C:\\Temp\\..\\..\\Temp", "C:", true, true},
        // Network paths: the share is the root.
        {"\\\\server\\share\\dir\\.", "\\\\server\\share\\dir", true, false},
        {"\\\\server\\share\\dir\\..", "\\\\server\\share", true, true},
        {"//server/share", "\\\\server\\share", true, true},
        // Paths that depend on a current folder.
        {"C:Temp", "C:Temp", false, false},
        {"C:..", "C:..", false, false},
        {"\\Temp", "\\Temp", false, false},
        {"..\\..", "..\\..", false, false},
        {".", ".", false, false},
        {"\\\\server", "\\\\server", false, false},
        {"", "", false, false},
    };
    for (const SResolveCase& c : cases)
    {
        const SFolderPath folder = ResolveFolderPath(c.pszPath);
        EXPECT_EQ(folder.strPath, c.pszResolved) << c.pszPath;
        EXPECT_EQ(folder.bFullPath, c.bFullPath) << c.pszPath;
        EXPECT_EQ(folder.bDriveRoot, c.bDriveRoot) << c.pszPath;
    }
}

TEST(FolderPathTest, AnEntryKeepsItsSpellingUnlessResolvingChangesIt)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Temp", "C:\\Temp"},
        {"C:\\Temp\\", "C:\\Temp\\"}, // the trailing backslash as chosen
        {"c:\\TEMP", "c:\\TEMP"},
        {"C:\\Temp\\.", "C:\\Temp"},
        {"C:\\Temp\\Sub\\..\\", "C:\\Temp"},
        {"C:/Temp", "C:\\Temp"},
        {"C:\\\\Temp", "C:\\Temp"},
        {"relative\\.", "relative\\."}, // not a full path: left alone
    };
    for (const auto& [pszEntry, pszKept] : cases)
        EXPECT_EQ(ResolvedFolderEntry(pszEntry, ResolveFolderPath(pszEntry)), pszKept) << pszEntry;
}

TEST(FolderPathTest, SameOrBelowComparesWholeNamesIgnoringCase)
{
    EXPECT_TRUE(IsSameOrBelowFolder("C:\\etc", "C:\\etc"));
    EXPECT_TRUE(IsSameOrBelowFolder("c:\\ETC\\", "C:\\etc"));
    EXPECT_TRUE(IsSameOrBelowFolder("C:\\etc\\ssh\\..\\X11", "C:\\etc"));
    EXPECT_TRUE(IsSameOrBelowFolder("C:\\home\\anna\\tmp", "C:\\home"));
    EXPECT_TRUE(IsSameOrBelowFolder("D:\\anna", "D:\\")); // below a drive root
    EXPECT_FALSE(IsSameOrBelowFolder("C:\\etcetera", "C:\\etc"));
    EXPECT_FALSE(IsSameOrBelowFolder("C:\\Temp\\etc", "C:\\etc"));
    EXPECT_FALSE(IsSameOrBelowFolder("C:\\etc\\..\\Temp", "C:\\etc"));
    EXPECT_FALSE(IsSameOrBelowFolder("D:\\etc", "C:\\etc"));
    EXPECT_FALSE(IsSameOrBelowFolder("C:\\etc", ""));
}
} // namespace
