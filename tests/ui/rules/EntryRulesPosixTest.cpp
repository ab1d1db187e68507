#include "platform/Platform.h"
#include "support/CSandboxDrive.h"
#include "ui/rules/EntryRules.h"
#include "ui/rules/OptionsTexts.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
// Names are case-sensitive here: the folder is tested as it was chosen, not
// through an upper-cased copy.
TEST(EntryRulesPosixTest, TheFolderTestUsesThePathAsChosen)
{
    CSandboxDrive sandbox;
    SPlatform platform = CreatePlatform();
    sandbox.MakeFolder("C:\\home\\anna\\Mail");
    EXPECT_EQ(CheckFolderPath("C:\\home\\anna\\Mail", false, *platform.pFileSystem).eVerdict,
              EPathVerdict::Add);
    EXPECT_EQ(CheckFolderPath("C:\\home\\anna\\Mail\\", true, *platform.pFileSystem).eVerdict,
              EPathVerdict::Add);
    EXPECT_EQ(CheckFolderPath("C:\\HOME\\ANNA\\MAIL", false, *platform.pFileSystem).eVerdict,
              EPathVerdict::Refuse);
}

// With the default drive map (C: is "/"), the host's system folders and the
// user's home get the operating-system question that C:\Windows gets. Only
// names are compared and folders tested for existence; nothing outside the
// sandbox is changed.
TEST(EntryRulesPosixTest, SystemFoldersOfTheRootDriveAskFirst)
{
    CSandboxDrive sandbox;
    // D: is the sandbox, so its home is reached without crossing into another
    // mount (a temporary folder of its own).
    sandbox.SetDriveTable("C:=/;D:=" + sandbox.Root().string());
    SPlatform platform = CreatePlatform();
    IFileSystem& fileSystem = *platform.pFileSystem;
    std::filesystem::create_directories(sandbox.HomeFolder() / "Downloads");

    const std::string strOsStart = "The Path \n";
    const struct
    {
        std::string strPath;
        const char* pszHostFolder; // the case needs it on this host
        EPathVerdict eVerdict;
    } cases[] = {
        {"C:\\etc", "/etc", EPathVerdict::AskThenAdd},
        {"C:\\etc\\", "/etc", EPathVerdict::AskThenAdd},
        {"C:\\usr\\share", "/usr/share", EPathVerdict::AskThenAdd},
        {"C:\\var", "/var", EPathVerdict::AskThenAdd},
        {"C:\\home", "/home", EPathVerdict::AskThenAdd},
        {"C:\\tmp\\..\\usr", "/usr", EPathVerdict::AskThenAdd},
        {"D:\\home", "/", EPathVerdict::AskThenAdd},
        {"D:\\home\\Downloads", "/", EPathVerdict::AskThenAdd},
        {"C:\\etc\\..", "/", EPathVerdict::Refuse},
        {"C:\\.", "/", EPathVerdict::Refuse},
    };
    for (const auto& c : cases)
    {
        if (!std::filesystem::is_directory(c.pszHostFolder))
            continue;
        const SPathVerdict verdict = CheckFolderPath(c.strPath, true, fileSystem);
        EXPECT_EQ(verdict.eVerdict, c.eVerdict) << c.strPath << ": " << verdict.prompt.strText;
        if (c.eVerdict != EPathVerdict::AskThenAdd)
            continue;
        EXPECT_EQ(verdict.prompt.eButtons, EPromptButtons::YesNo) << c.strPath;
        EXPECT_EQ(verdict.prompt.strText.rfind(strOsStart + c.strPath + "\n", 0), 0u)
            << verdict.prompt.strText;
        // The Filters page asks nothing about them.
        EXPECT_EQ(CheckFolderPath(c.strPath, false, fileSystem).eVerdict, EPathVerdict::Add)
            << c.strPath;
    }

    // A folder of the sandbox outside the home is an ordinary folder.
    EXPECT_EQ(CheckFolderPath("D:\\outside", true, fileSystem).eVerdict, EPathVerdict::Add);
}
} // namespace
