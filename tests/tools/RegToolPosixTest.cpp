#include "platform/posix/CSqliteRegistry.h"
#include "support/CSandboxDrive.h"
#include "support/ToolRunner.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>

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
// A key exactly as deep as the registry allows, with names as long as it
// allows, goes in and comes back out through a .reg file; the file names it
// once, not once for every key on the way to it.
TEST(RegToolPosixTest, AKeyAsDeepAsTheRegistryAllowsImportsAndExportsBack)
{
    CSandboxDrive sandbox;
    std::string strKey = std::string(255, 'L');
    for (int n = 2; n < 512; ++n)
        strKey += "\\k" + std::to_string(n);
    strKey += "\\" + std::string(255, 'z');
    const fs::path file = sandbox.Root() / "deep.reg";
    std::ofstream(file, std::ios::binary)
        << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" << strKey << "]\r\n\"v\"=\"deep\"\r\n";
    const SToolResult imported = RunTool("scrubix-reg", "import " + ShellQuote(file.string()));
    ASSERT_EQ(imported.nExitCode, 0) << imported.strOutput;
    const std::string strDump = Dump(sandbox.RegistryFolder(), HKCU);
    EXPECT_NE(strDump.find("[" + strKey + "]\nv|1|deep"), std::string::npos);

    const fs::path exported = sandbox.Root() / "out.reg";
    const SToolResult result =
        RunTool("scrubix-reg", "export " + ShellQuote("HKCU\\" + std::string(255, 'L')) + " " +
                                   ShellQuote(exported.string()));
    ASSERT_EQ(result.nExitCode, 0) << result.strOutput;
    std::ifstream in(exported, std::ios::binary);
    const std::string strText((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(strText, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + std::string(255, 'L') +
                           "]\r\n\r\n[HKEY_CURRENT_USER\\" + strKey +
                           "]\r\n\"v\"=\"deep\"\r\n\r\n");

    CSandboxDrive fresh;
    const SToolResult again = RunTool("scrubix-reg", "import " + ShellQuote(exported.string()));
    ASSERT_EQ(again.nExitCode, 0) << again.strOutput;
    EXPECT_EQ(Dump(fresh.RegistryFolder(), HKCU), strDump);
}

// A key deeper than the registry allows that is already in a hive (written
// there before the limit held) is refused by export at the first level too
// deep, with no file written.
TEST(RegToolPosixTest, AKeyDeeperThanTheRegistryAllowsIsNotExported)
{
    CSandboxDrive sandbox;
    const fs::path folder = sandbox.RegistryFolder();
    {
        CSqliteRegistry registry(folder.string());
        ASSERT_TRUE(registry.SetValue(HKLM, "Top", {"t", 1, {"1\0", 2}}));
    }
    sqlite3* pDb = nullptr;
    ASSERT_EQ(sqlite3_open((folder / "HKLM.db").c_str(), &pDb), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(pDb,
                           "BEGIN;"
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                           "WHERE i < 20000) "
                           "INSERT INTO keys(id, parent, name) SELECT 1000 + i, "
                           "CASE i WHEN 1 THEN (SELECT id FROM keys WHERE name = 'Top') "
                           "ELSE 999 + i END, 'k' || i FROM n;"
                           "COMMIT;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(pDb);

    const fs::path file = sandbox.Root() / "out.reg";
    const SToolResult result = RunTool("scrubix-reg", "export " + ShellQuote("HKLM\\Top") + " " +
                                                          ShellQuote(file.string()));
    EXPECT_EQ(result.nExitCode, 1);
    EXPECT_EQ(result.strOutput.rfind("ERROR: the key HKEY_LOCAL_MACHINE\\Top\\k1\\k2\\", 0), 0u)
        << result.strOutput.substr(0, 300);
    EXPECT_NE(result.strOutput.find(" is deeper than the registry allows (512 levels) and cannot "
                                    "be exported (nothing written)\n"),
              std::string::npos)
        << result.strOutput.substr(0, 300);
    EXPECT_LT(result.strOutput.size(), 400u);
    EXPECT_FALSE(fs::exists(file));
}
} // namespace
