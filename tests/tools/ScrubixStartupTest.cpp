#include "platform/Platform.h"
#include "settings/CSettingsStore.h"
#include "support/CSandboxDrive.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>
#include <map>

namespace
{
using ValueMap = std::map<std::string, std::string>; // "key|name" -> bytes

// Every value under a key and its sub-keys.
void Collect(IRegistry& registry, const std::string& strKey, ValueMap& values)
{
    std::vector<SRegistryValue> found;
    registry.EnumValues(ERegistryHive::LocalMachine, strKey, found);
    for (const SRegistryValue& value : found)
        values[strKey + "|" + value.strName] = std::to_string(value.nType) + ":" + value.strData;
    std::vector<std::string> subKeys;
    registry.EnumSubKeys(ERegistryHive::LocalMachine, strKey, subKeys);
    for (const std::string& strSub : subKeys)
        Collect(registry, strKey + "\\" + strSub, values);
}

std::string Value(const ValueMap& values, const std::string& strSection, const std::string& strName)
{
    const auto it = values.find(ComposeBaseKeyPath() + "\\" + strSection + "|" + strName);
    return it == values.end() ? "<absent>" : it->second;
}

TEST(ScrubixStartupTest, TwoRunsLeaveTheSettingsLayoutAndReExportExactly)
{
    CSandboxDrive sandbox;
    // Where the program looks for the INI ("C:\etc" on Linux, "C:\windows"
    // under Wine): drive C: is the sandbox's, so the file lands inside it.
    const std::string strWindowsFolder = CreatePlatform().pFileSystem->GetWindowsFolder();
    sandbox.MakeFile(strWindowsFolder + "\\Scrubix.INI", "[Settings]\nZero=1\n");
    sandbox.MakeFolder("C:\\Tools");
    for (int nRun = 0; nRun < 2; ++nRun)
    {
        const SToolResult run = RunTool("scrubix", "--startup-only", sandbox.HostPath("C:\\Tools"));
        ASSERT_EQ(run.nExitCode, 0) << run.strOutput;
    }

    ValueMap values;
    Collect(*CreatePlatform().pRegistry, ComposeBaseKeyPath(), values);
    const std::string SZ = "1:";
    EXPECT_EQ(Value(values, "Settings", "Zero"), SZ + std::string("1", 2));
    EXPECT_EQ(Value(values, "Settings", "22"), SZ + std::string("1", 2));
    EXPECT_EQ(Value(values, "Settings", "Path"), SZ + std::string("C:\\Tools", 9));
    EXPECT_EQ(Value(values, "Settings", "MovePath"), SZ + std::string("C:\\Tools\\Bak", 13));
    EXPECT_EQ(Value(values, "Exten", "Exten0"), SZ + std::string("GID", 4));
    EXPECT_EQ(Value(values, "Exten", "Exten14"), SZ + std::string("~", 2));
    EXPECT_EQ(Value(values, "Exclude", "Exclude1"), SZ + std::string("install.log", 12));
    EXPECT_EQ(Value(values, "Filter", "Filter0"), SZ + std::string("C:\\WINNT\\REPAIR", 16));
    EXPECT_EQ(Value(values, "Settings", "Newbie"), "<absent>");
    EXPECT_TRUE(sandbox.Exists("C:\\Tools\\Bak"));

    const std::string strExport = (sandbox.Root() / "settings.reg").string();
    const std::string strKey = "HKEY_LOCAL_MACHINE\\" + ComposeBaseKeyPath();
    const SToolResult exported =
        RunTool("scrubix-reg", "export " + ShellQuote(strKey) + " " + ShellQuote(strExport));
    ASSERT_EQ(exported.nExitCode, 0) << exported.strOutput;

    // A fresh registry (another sandbox's) receives exactly the same values.
    CSandboxDrive fresh;
    const SToolResult imported = RunTool("scrubix-reg", "import " + ShellQuote(strExport));
    ASSERT_EQ(imported.nExitCode, 0) << imported.strOutput;
    ValueMap reimported;
    Collect(*CreatePlatform().pRegistry, ComposeBaseKeyPath(), reimported);
    EXPECT_EQ(reimported, values);
}
} // namespace
