// The tools refuse to act on built-in rules when the stored settings exist
// and cannot be read (a folder in place of the SQLite hive file).
#include "support/CSandboxDrive.h"
#include "support/ToolRunner.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
TEST(UnreadableSettingsPosixTest, NothingIsSearchedOrDisposedOfOnDefaultRules)
{
    CSandboxDrive sandbox;
    // The user's own Excludes would keep keep.tmp; the defaults would not.
    sandbox.Build({"C:\\junk\\keep.tmp", "C:\\junk\\b.bak", "C:\\prog\\"});
    const fs::path hive = sandbox.RegistryFolder() / "HKLM.db";
    fs::create_directories(hive);

    const struct
    {
        const char* pTool;
        const char* pArguments;
    } runs[] = {
        {"scrubix-dispose", "--purge C:"},
        {"scrubix-dispose", "--move-to-trash C:"},
        {"scrubix-scan", "C:"},
    };
    for (const auto& run : runs)
    {
        const SToolResult result = RunTool(run.pTool, run.pArguments, sandbox.HostPath("C:\\prog"));
        EXPECT_EQ(result.nExitCode, 3) << run.pTool << " " << run.pArguments;
        EXPECT_NE(result.strOutput.find(std::string(run.pTool) + ": the settings in " +
                                        hive.string() + " cannot be read"),
                  std::string::npos)
            << result.strOutput;
        EXPECT_EQ(result.strOutput.find("C:\\junk"), std::string::npos) << result.strOutput;
        EXPECT_TRUE(sandbox.Exists("C:\\junk\\keep.tmp"));
        EXPECT_TRUE(sandbox.Exists("C:\\junk\\b.bak"));
    }

    // The program's start-up still runs.
    const SToolResult started = RunTool("scrubix", "--startup-only", sandbox.HostPath("C:\\prog"));
    EXPECT_EQ(started.nExitCode, 0) << started.strOutput;
    EXPECT_TRUE(fs::is_directory(hive));

    // Readable again, the same purge runs.
    fs::remove(hive);
    const SToolResult purged =
        RunTool("scrubix-dispose", "--purge C:", sandbox.HostPath("C:\\prog"));
    EXPECT_EQ(purged.nExitCode, 0) << purged.strOutput;
    EXPECT_FALSE(sandbox.Exists("C:\\junk\\b.bak"));
}
} // namespace
