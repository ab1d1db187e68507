#include "platform/Platform.h"
#include "support/CSandboxDrive.h"
#include "support/PlatformTraits.h"
#include "support/ToolRunner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
const ERegistryHive HKLM = ERegistryHive::LocalMachine;
const ERegistryHive HKCU = ERegistryHive::CurrentUser;

SToolResult Reg(const std::string& strArguments)
{
    SToolResult result = RunTool("scrubix-reg", strArguments);
    result.strOutput = ConsoleText(result.strOutput);
    return result;
}

// The registry of the innermost sandbox, as the tool sees it.
std::unique_ptr<IRegistry> SandboxRegistry()
{
    return std::move(CreatePlatform().pRegistry);
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteFile(const fs::path& path, const std::string& strText)
{
    std::ofstream(path, std::ios::binary) << strText;
}

// Every key and value of a hive as one comparable text. Values are listed by
// name: Windows enumerates them in the order they were made, Wine sorted.
void Dump(IRegistry& registry, ERegistryHive hive, const std::string& strPath, std::string& strDump)
{
    strDump += "[" + strPath + "]\n";
    std::vector<SRegistryValue> values;
    registry.EnumValues(hive, strPath, values);
    std::sort(values.begin(), values.end(),
              [](const SRegistryValue& a, const SRegistryValue& b)
              { return a.strName < b.strName; });
    for (const SRegistryValue& value : values)
    {
        strDump += value.strName + "|" + std::to_string(value.nType) + "|" + value.strData + "\n";
    }
    std::vector<std::string> names;
    registry.EnumSubKeys(hive, strPath, names);
    for (const std::string& strName : names)
        Dump(registry, hive, strPath.empty() ? strName : strPath + "\\" + strName, strDump);
}

std::string Dump(ERegistryHive hive, const std::string& strPath = "")
{
    std::string strDump;
    Dump(*SandboxRegistry(), hive, strPath, strDump);
    return strDump;
}

class RegToolTest : public ::testing::Test
{
protected:
    CSandboxDrive m_sandbox;
};

TEST_F(RegToolTest, AddQueryAndDelete)
{
    const std::string strKey = ShellQuote("HKLM\\Software\\Halvorne Software\\Scrubix\\Settings");
    ASSERT_EQ(
        Reg("add " + strKey + " /v MovePath /d " + ShellQuote("C:\\Bak \"x\"") + " /f").nExitCode,
        0);
    ASSERT_EQ(Reg("ADD " + strKey + " /v Zero /t reg_sz /d 1").nExitCode, 0);

    const SToolResult all = Reg("query " + ShellQuote("hkey_local_machine\\software\\"
                                                      "HALVORNE SOFTWARE\\scrubix"));
    ASSERT_EQ(all.nExitCode, 0) << all.strOutput;
    EXPECT_EQ(all.strOutput,
              "HKEY_LOCAL_MACHINE\\software\\HALVORNE SOFTWARE\\scrubix\n\n"
              "HKEY_LOCAL_MACHINE\\software\\HALVORNE SOFTWARE\\scrubix\\Settings\n");

    const SToolResult one = Reg("query " + strKey + " /v movepath");
    ASSERT_EQ(one.nExitCode, 0) << one.strOutput;
    EXPECT_EQ(one.strOutput, "HKEY_LOCAL_MACHINE\\Software\\Halvorne Software\\Scrubix\\Settings\n"
                             "    MovePath    REG_SZ    C:\\Bak \"x\"\n");
    // The tool writes what the program reads: REG_SZ with its NUL.
    {
        std::vector<SRegistryValue> values;
        ASSERT_TRUE(SandboxRegistry()->EnumValues(
            HKLM, "Software\\Halvorne Software\\Scrubix\\Settings", values));
        ASSERT_EQ(values.size(), 2u);
        EXPECT_EQ(values[1].strData, std::string("1\0", 2));
    }

    EXPECT_EQ(Reg("delete " + strKey + " /v MOVEPATH /f").nExitCode, 0);
    const SToolResult gone = Reg("query " + strKey + " /v MovePath");
    EXPECT_NE(gone.nExitCode, 0);
    EXPECT_NE(gone.strOutput.find("ERROR:"), std::string::npos);
    EXPECT_NE(Reg("delete " + strKey + " /v MovePath").nExitCode, 0);

    EXPECT_EQ(Reg("delete HKLM\\\\Software /f").nExitCode, 0);
    EXPECT_NE(Reg("query " + strKey).nExitCode, 0);
    EXPECT_NE(Reg("delete HKLM\\\\Software").nExitCode, 0);
}

TEST_F(RegToolTest, BadKeysAndCommandsFail)
{
    for (const char* pszArguments :
         {"add HKCR\\\\Software /v a /d b", "query HKEY_USERS\\\\x", "query Software",
          "add HKLM\\\\x /v a /t REG_DWORD /d 1", "query", "frobnicate HKLM\\\\x",
          "add HKLM\\\\x /v", "import /no/such/file.reg"})
    {
        const SToolResult result = Reg(pszArguments);
        EXPECT_NE(result.nExitCode, 0) << pszArguments;
        EXPECT_FALSE(result.strOutput.empty()) << pszArguments;
    }
    const SToolResult badHive = Reg("add HKXX\\\\Software /v a /d b");
    EXPECT_NE(badHive.strOutput.find("HKXX"), std::string::npos) << badHive.strOutput;
    // Nothing was written by any of them.
    EXPECT_EQ(Dump(HKLM), "[]\n");
    EXPECT_EQ(Dump(HKCU), "[]\n");
}

TEST_F(RegToolTest, ExportThenImportReproducesEveryValue)
{
    {
        const std::unique_ptr<IRegistry> pRegistry = SandboxRegistry();
        IRegistry& registry = *pRegistry;
        const std::string strKey = "Software\\Vendor";
        const std::vector<SRegistryValue> values = {
            {"Plain", REG_TYPE_SZ, std::string("C:\\Temp \"quoted\"\0", 17)},
            {"", REG_TYPE_SZ, std::string("default\0", 8)},
            {"Name \"with\" \\ marks", REG_TYPE_SZ, std::string("\0", 1)},
            {"NoNul", REG_TYPE_SZ, "abc"},
            {"InnerNul", REG_TYPE_SZ, std::string("a\0b\0", 4)},
            {"Lines", REG_TYPE_SZ, std::string("one\r\ntwo\0", 9)},
            {"High", REG_TYPE_SZ, std::string("caf\xc3\xa9 \xff\0", 8)},
            {"Dword", 4, std::string("\x78\x56\x34\x12", 4)},
            {"ShortDword", 4, std::string("\x01", 1)},
            {"Empty", 3, ""},
            {"Multi", 7, std::string("a\0bc\0\0", 6)},
            {"Custom", 0x2a, "\x01\x02"},
        };
        for (const SRegistryValue& value : values)
            ASSERT_TRUE(registry.SetValue(HKLM, strKey, value));
        std::string strLong;
        for (int i = 0; i < 300; ++i)
            strLong += static_cast<char>(i);
        ASSERT_TRUE(registry.SetValue(HKLM, strKey + "\\Sub", {"Long", 3, strLong}));
        EKeyDisposition disposition{};
        ASSERT_TRUE(registry.CreateKey(HKLM, strKey + "\\Empty\\Deeper", disposition));
        ASSERT_TRUE(registry.SetValue(HKLM, "Elsewhere", {"x", REG_TYPE_SZ, {"1\0", 2}}));
    }
    const fs::path file = m_sandbox.Root() / "out.reg";
    const SToolResult exported =
        Reg("export HKLM\\\\Software\\\\Vendor " + ShellQuote(file.string()));
    ASSERT_EQ(exported.nExitCode, 0) << exported.strOutput;

    const std::string strText = ReadFile(file);
    EXPECT_TRUE(strText.starts_with("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Vendor]\r\n"));
    EXPECT_NE(strText.find("\"Plain\"=\"C:\\\\Temp \\\"quoted\\\"\"\r\n"), std::string::npos);
    EXPECT_NE(strText.find("@=\"default\"\r\n"), std::string::npos);
    EXPECT_NE(strText.find("\"Dword\"=dword:12345678\r\n"), std::string::npos);
    for (size_t nPos = strText.find('\n'); nPos != std::string::npos;
         nPos = strText.find('\n', nPos + 1))
        ASSERT_EQ(strText[nPos - 1], '\r') << "bare LF at " << nPos;

    const std::string strExpected = Dump(HKLM, "Software\\Vendor");
    EXPECT_NE(strExpected.find("Long|3|"), std::string::npos);

    // Into a fresh registry: another sandbox, inside this one.
    CSandboxDrive fresh;
    const SToolResult imported = Reg("import " + ShellQuote(file.string()));
    ASSERT_EQ(imported.nExitCode, 0) << imported.strOutput;
    EXPECT_EQ(Dump(HKLM, "Software\\Vendor"), strExpected);
    // Only the exported key travels.
    EXPECT_FALSE(SandboxRegistry()->OpenKey(HKLM, "Elsewhere"));
    EXPECT_EQ(Dump(HKCU), "[]\n");
}

// A value name may hold line breaks: they travel escaped, so every line of
// the file stays one line and the import gives the same names back.
TEST_F(RegToolTest, ValueNamesWithLineBreaksTravelEscaped)
{
    {
        const std::unique_ptr<IRegistry> pRegistry = SandboxRegistry();
        for (const char* pszName : {"two\nlines", "cr\ronly", "both\r\n", "\n", "\\n not a break"})
            ASSERT_TRUE(
                pRegistry->SetValue(HKLM, "Software\\V", {pszName, REG_TYPE_SZ, {"x\0", 2}}))
                << pszName;
    }
    const std::string strExpected = Dump(HKLM, "Software\\V");
    const fs::path file = m_sandbox.Root() / "names.reg";
    const SToolResult exported = Reg("export HKLM\\\\Software\\\\V " + ShellQuote(file.string()));
    ASSERT_EQ(exported.nExitCode, 0) << exported.strOutput;
    const std::string strText = ReadFile(file);
    EXPECT_NE(strText.find("\"two\\nlines\"=\"x\"\r\n"), std::string::npos) << strText;
    EXPECT_NE(strText.find("\"both\\r\\n\"=\"x\"\r\n"), std::string::npos) << strText;
    EXPECT_NE(strText.find("\"\\\\n not a break\"=\"x\"\r\n"), std::string::npos) << strText;
    EXPECT_EQ(std::count(strText.begin(), strText.end(), '\n'), 9) << strText;

    CSandboxDrive fresh;
    const SToolResult imported = Reg("import " + ShellQuote(file.string()));
    ASSERT_EQ(imported.nExitCode, 0) << imported.strOutput;
    EXPECT_EQ(Dump(HKLM, "Software\\V"), strExpected);
}

// Nothing between the brackets of a key can escape a line break: a key whose
// name holds one is not exported at all, and no file is written.
TEST_F(RegToolTest, AKeyNameWithALineBreakIsNotExported)
{
    {
        const std::unique_ptr<IRegistry> pRegistry = SandboxRegistry();
        ASSERT_TRUE(pRegistry->SetValue(HKLM, "Software\\Fine", {"a", REG_TYPE_SZ, {"1\0", 2}}));
        ASSERT_TRUE(
            pRegistry->SetValue(HKLM, "Software\\Two\nLines", {"b", REG_TYPE_SZ, {"2\0", 2}}));
    }
    const fs::path file = m_sandbox.Root() / "keys.reg";
    const SToolResult exported = Reg("export HKLM\\\\Software " + ShellQuote(file.string()));
    EXPECT_EQ(exported.nExitCode, 1);
    EXPECT_EQ(exported.strOutput, "ERROR: the key name 'HKEY_LOCAL_MACHINE\\Software\\Two\nLines' "
                                  "holds a line break and cannot be exported (nothing written)\n");
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(RegToolTest, ImportAcceptsLfBomContinuationsAndBothHives)
{
    const fs::path file = m_sandbox.Root() / "in.reg";
    WriteFile(file, "\xEF\xBB\xBFREGEDIT4\n\n; a comment\n"
                    "[hkcu\\Software\\A]\n"
                    "\"Bin\"=hex:01,02,\\\n  03\n"
                    "@=\"top\"\n\n"
                    "[HKEY_LOCAL_MACHINE\\Software\\B]\r\n"
                    "\"N\" = dword:0000002a\r\n");
    const SToolResult imported = Reg("import " + ShellQuote(file.string()));
    ASSERT_EQ(imported.nExitCode, 0) << imported.strOutput;
    EXPECT_EQ(Dump(HKCU), std::string("[]\n[Software]\n[Software\\A]\n|1|top") +
                              std::string(1, '\0') + "\nBin|3|\x01\x02\x03\n");
    EXPECT_EQ(Dump(HKLM),
              std::string("[]\n[Software]\n[Software\\B]\nN|4|*") + std::string(3, '\0') + "\n");
}

TEST_F(RegToolTest, MalformedFileImportsNothing)
{
    const std::string strGood = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\A]\r\n"
                                "\"a\"=\"1\"\r\n[HKEY_CURRENT_USER\\Software\\B]\r\n";
    const struct
    {
        std::string strTail;
        std::string strLine;
    } cases[] = {
        {"\"b\"=\"unterminated\r\n", "line 6"},
        {"\"b\"=dword:123456789\r\n", "line 6"},
        {"\"b\"=hex:01,zz\r\n", "line 6"},
        {"\"b\"=\"bad \\q escape\"\r\n", "line 6"},
        {"\r\n[HKEY_CLASSES_ROOT\\X]\r\n", "line 7"},
        {"[HKEY_LOCAL_MACHINE\\Software\\C\r\n", "line 6"},
        {"just text\r\n", "line 6"},
    };
    for (const auto& test : cases)
    {
        const fs::path file = m_sandbox.Root() / "bad.reg";
        WriteFile(file, strGood + test.strTail);
        const SToolResult result = Reg("import " + ShellQuote(file.string()));
        EXPECT_NE(result.nExitCode, 0) << test.strTail;
        EXPECT_NE(result.strOutput.find(test.strLine), std::string::npos)
            << test.strTail << " -> " << result.strOutput;
        const std::unique_ptr<IRegistry> pRegistry = SandboxRegistry();
        EXPECT_FALSE(pRegistry->OpenKey(HKLM, "Software\\A")) << test.strTail;
        EXPECT_FALSE(pRegistry->OpenKey(HKCU, "Software\\B")) << test.strTail;
    }
    const fs::path file = m_sandbox.Root() / "headless.reg";
    WriteFile(file, "[HKEY_LOCAL_MACHINE\\Software]\r\n");
    EXPECT_NE(Reg("import " + ShellQuote(file.string())).nExitCode, 0);
}
// A key path of nLevels names below the hive, each name nLength characters.
std::string DeepKey(size_t nLevels, size_t nLength = 1)
{
    std::string strPath;
    for (size_t n = 0; n < nLevels; ++n)
    {
        if (n > 0)
            strPath += '\\';
        strPath += std::string(nLength, static_cast<char>('a' + n % 26));
    }
    return strPath;
}

// Windows holds keys at most 512 levels deep with names of at most 255
// characters; a file that names a key beyond either is refused whole, before
// anything is written, and so is a key that would need gigabytes to handle.
TEST_F(RegToolTest, KeysBeyondTheRegistrysLimitsAreRefusedWholeAndQuickly)
{
    const std::string strGood = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\A]\r\n"
                                "\"a\"=\"1\"\r\n\r\n";
    const struct
    {
        std::string strKey;
        std::string strMessage;
    } cases[] = {
        {"HKEY_LOCAL_MACHINE\\" + DeepKey(513),
         "line 6: the key name has 513 levels; the registry holds at most 512"},
        {"HKEY_CURRENT_USER\\Software\\" + std::string(256, 'n'),
         "line 6: a name in the key name has 256 characters; the registry allows at most 255"},
        {"HKEY_LOCAL_MACHINE\\" + DeepKey(60000),
         "line 6: the key name has 60000 levels; the registry holds at most 512"},
    };
    for (const auto& test : cases)
    {
        const fs::path file = m_sandbox.Root() / "deep.reg";
        WriteFile(file, strGood + "[" + test.strKey + "]\r\n\"v\"=\"x\"\r\n");
        const SToolResult result = Reg("import " + ShellQuote(file.string()));
        EXPECT_EQ(result.nExitCode, 1) << test.strMessage;
        EXPECT_EQ(result.strOutput,
                  "ERROR: " + file.string() + ": " + test.strMessage + " (nothing imported)\n");
        EXPECT_EQ(Dump(HKLM), "[]\n");
        EXPECT_EQ(Dump(HKCU), "[]\n");
    }

    // The same limits hold for a key added by hand.
    const SToolResult added = Reg("add " + ShellQuote("HKLM\\" + DeepKey(513)) + " /v a /d b");
    EXPECT_EQ(added.nExitCode, 1);
    EXPECT_EQ(added.strOutput,
              "ERROR: the key name has 513 levels; the registry holds at most 512\n");
    const SToolResult named =
        Reg("add " + ShellQuote("HKCU\\Software\\" + std::string(256, 'n')) + " /f");
    EXPECT_EQ(named.nExitCode, 1);
    EXPECT_EQ(named.strOutput, "ERROR: a name in the key name has 256 characters; the registry "
                               "allows at most 255\n");
    EXPECT_EQ(Dump(HKLM), "[]\n");
    EXPECT_EQ(Dump(HKCU), "[]\n");
}
} // namespace
