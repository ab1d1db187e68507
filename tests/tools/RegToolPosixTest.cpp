#include "platform/posix/CSqliteRegistry.h"
#include "support/CSandboxDrive.h"
#include "support/ToolRunner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
// An import into a registry folder that does not exist yet makes the folder
// and its hive files; only the hive named in the file is written.
TEST(RegToolPosixTest, ImportMakesAMissingRegistryFolderAndItsHiveFile)
{
    CSandboxDrive sandbox;
    const fs::path file = sandbox.Root() / "in.reg";
    std::ofstream(file, std::ios::binary) << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n"
                                             "\"v\"=\"1\"\r\n";
    const fs::path fresh = sandbox.Root() / "not" / "yet";
    setenv("SCRUBIX_REGISTRY_DIR", fresh.c_str(), 1); // the sandbox restores it
    const SToolResult imported = RunTool("scrubix-reg", "import " + ShellQuote(file.string()));
    ASSERT_EQ(imported.nExitCode, 0) << imported.strOutput;

    EXPECT_TRUE(fs::is_regular_file(fresh / "HKCU.db"));
    std::vector<SRegistryValue> values;
    ASSERT_TRUE(CSqliteRegistry(fresh.string())
                    .EnumValues(ERegistryHive::CurrentUser, "Software\\A", values));
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].strData, std::string("1\0", 2));
    // The sandbox's own folder was not touched.
    EXPECT_FALSE(CSqliteRegistry(sandbox.RegistryFolder().string())
                     .OpenKey(ERegistryHive::CurrentUser, "Software\\A"));
}
} // namespace
