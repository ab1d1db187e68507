#include "platform/Platform.h"
#include "shell/EntryRules.h"
#include "support/CSandboxDrive.h"

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
} // namespace
