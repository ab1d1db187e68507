#include "platform/posix/CSqliteRegistry.h"
#include "support/CSandboxDrive.h"
#include "support/ToolRunner.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
const ERegistryHive HKLM = ERegistryHive::LocalMachine;
const ERegistryHive HKCU = ERegistryHive::CurrentUser;

// Every key and value below a key, names as stored, as one comparable text.
void Dump(IRegistry& registry, ERegistryHive hive, const std::string& strPath, std::string& strDump)
{
    strDump += "[" + strPath + "]\n";
    std::vector<SRegistryValue> values;
    registry.EnumValues(hive, strPath, values);
    std::sort(values.begin(), values.end(),
              [](const SRegistryValue& a, const SRegistryValue& b)
              { return a.strName < b.strName; });
    for (const SRegistryValue& value : values)
        strDump += value.strName + "|" + std::to_string(value.nType) + "|" + value.strData + "\n";
    std::vector<std::string> names;
    registry.EnumSubKeys(hive, strPath, names);
    for (const std::string& strName : names)
        Dump(registry, hive, strPath.empty() ? strName : strPath + "\\" + strName, strDump);
}

std::string Dump(const fs::path& folder, ERegistryHive hive)
{
    CSqliteRegistry registry(folder.string());
    std::string strDump;
    Dump(registry, hive, "", strDump);
    return strDump;
}

// chattr +i on a file, taken off again on destruction: even root cannot
// write it then.
class CImmutableFile
{
public:
    explicit CImmutableFile(fs::path path) : m_path(std::move(path))
    {
        m_bSet = std::system(("chattr +i " + ShellQuote(m_path.string())).c_str()) == 0;
    }
    ~CImmutableFile() { Clear(); }
    CImmutableFile(const CImmutableFile&) = delete;
    CImmutableFile& operator=(const CImmutableFile&) = delete;
    bool IsSet() const { return m_bSet; }
    void Clear()
    {
        if (m_bSet)
            std::system(("chattr -i " + ShellQuote(m_path.string())).c_str());
        m_bSet = false;
    }

private:
    fs::path m_path;
    bool m_bSet = false;
};

// A file naming both hives, whose second hive cannot be written, leaves the
// first exactly as it was: values it overwrote hold their earlier data again,
// values and keys it added are gone.
TEST(RegToolPosixTest, AnImportWhoseSecondHiveCannotBeWrittenLeavesTheFirstAsItWas)
{
    for (const bool bFolderInPlace : {false, true})
    {
        CSandboxDrive sandbox;
        const fs::path folder = sandbox.RegistryFolder();
        {
            CSqliteRegistry registry(folder.string());
            ASSERT_TRUE(registry.SetValue(HKLM, "Software\\A", {"Kept", 1, {"same\0", 5}}));
            ASSERT_TRUE(registry.SetValue(HKLM, "Software\\A", {"Over", 1, {"before\0", 7}}));
            ASSERT_TRUE(registry.SetValue(HKLM, "Software\\A", {"Bytes", 3, "\x01\x02"}));
            ASSERT_TRUE(registry.SetValue(HKLM, "Software\\A\\Old", {"o", 1, {"1\0", 2}}));
            if (!bFolderInPlace)
            {
                ASSERT_TRUE(registry.SetValue(HKCU, "Software\\B", {"b", 1, {"user\0", 5}}));
            }
        }
        if (bFolderInPlace)
            fs::create_directory(folder / "HKCU.db");
        const std::string strMachineBefore = Dump(folder, HKLM);
        const std::string strUserBefore = bFolderInPlace ? "" : Dump(folder, HKCU);
        ASSERT_NE(strMachineBefore.find("Over|1|before"), std::string::npos) << strMachineBefore;

        const fs::path file = sandbox.Root() / "both.reg";
        std::ofstream(file, std::ios::binary)
            << "REGEDIT4\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\Software\\A]\r\n"
               "\"Over\"=\"after\"\r\n\"Bytes\"=dword:00000007\r\n\"Added\"=\"new\"\r\n"
               "@=\"default\"\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\Software\\A\\Old\\New\\Deeper]\r\n\"d\"=\"1\"\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\Fresh\\Key]\r\n\"f\"=\"1\"\r\n\r\n"
               "[HKEY_CURRENT_USER\\Software\\B]\r\n\"b\"=\"changed\"\r\n";

        CImmutableFile locked(folder / "HKCU.db");
        if (!bFolderInPlace)
        {
            ASSERT_TRUE(locked.IsSet()) << "chattr +i is needed for this test";
        }
        const SToolResult imported = RunTool("scrubix-reg", "import " + ShellQuote(file.string()));
        locked.Clear();

        EXPECT_EQ(imported.nExitCode, 1) << imported.strOutput;
        EXPECT_EQ(imported.strOutput,
                  "ERROR: cannot write to HKEY_CURRENT_USER (nothing imported)\n");
        EXPECT_EQ(Dump(folder, HKLM), strMachineBefore) << "folder in place: " << bFolderInPlace;
        if (!bFolderInPlace)
        {
            EXPECT_EQ(Dump(folder, HKCU), strUserBefore);
        }

        // Once the hive can be written, the same file goes in whole.
        if (bFolderInPlace)
            fs::remove(folder / "HKCU.db");
        const SToolResult again = RunTool("scrubix-reg", "import " + ShellQuote(file.string()));
        ASSERT_EQ(again.nExitCode, 0) << again.strOutput;
        const std::string strMachineAfter = Dump(folder, HKLM);
        EXPECT_NE(strMachineAfter.find("Over|1|after"), std::string::npos) << strMachineAfter;
        EXPECT_NE(strMachineAfter.find("[Fresh\\Key]"), std::string::npos) << strMachineAfter;
        EXPECT_NE(Dump(folder, HKCU).find("b|1|changed"), std::string::npos);
    }
}

// add takes a value name with line breaks, which then goes through a .reg
// file and back; a key name with one is refused, as no .reg file could hold it.
TEST(RegToolPosixTest, AddTakesLineBreaksInValueNamesOnly)
{
    CSandboxDrive sandbox;
    const SToolResult refused =
        RunTool("scrubix-reg", "add " + ShellQuote("HKCU\\Software\\A\nB") + " /v x /d 1");
    EXPECT_EQ(refused.nExitCode, 1);
    EXPECT_EQ(refused.strOutput, "ERROR: a key name cannot hold a line break\n");
    EXPECT_FALSE(CSqliteRegistry(sandbox.RegistryFolder().string()).OpenKey(HKCU, "Software"));

    const SToolResult added =
        RunTool("scrubix-reg", "add HKCU\\\\Software\\\\A /v " + ShellQuote("one\ntwo\r\n") +
                                   " /d " + ShellQuote("data"));
    ASSERT_EQ(added.nExitCode, 0) << added.strOutput;
    const fs::path file = sandbox.Root() / "out.reg";
    const SToolResult exported =
        RunTool("scrubix-reg", "export HKCU\\\\Software " + ShellQuote(file.string()));
    ASSERT_EQ(exported.nExitCode, 0) << exported.strOutput;

    CSandboxDrive fresh;
    const SToolResult imported = RunTool("scrubix-reg", "import " + ShellQuote(file.string()));
    ASSERT_EQ(imported.nExitCode, 0) << imported.strOutput;
    EXPECT_EQ(Dump(fresh.RegistryFolder(), HKCU),
              std::string("[]\n[Software]\n[Software\\A]\none\ntwo\r\n|1|data") +
                  std::string(1, '\0') + "\n");
}

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
