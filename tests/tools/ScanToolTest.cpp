#include "platform/Platform.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "support/CSandboxDrive.h"
#include "support/PlatformTraits.h"
#include "support/ToolRunner.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> Lines(const std::string& strText)
{
    std::vector<std::string> lines;
    std::istringstream in(strText);
    for (std::string strLine; std::getline(in, strLine);)
        lines.push_back(strLine);
    return lines;
}

// Every value under a hive's key, as "path|name|data" lines.
void DumpValues(IRegistry& registry, ERegistryHive hive, const std::string& strPath,
                std::vector<std::string>& lines)
{
    std::vector<SRegistryValue> values;
    registry.EnumValues(hive, strPath, values);
    for (const SRegistryValue& value : values)
        lines.push_back(strPath + "|" + value.strName + "|" + value.strData);
    std::vector<std::string> names;
    registry.EnumSubKeys(hive, strPath, names);
    for (const std::string& strName : names)
    {
        lines.push_back(strPath + "\\" + strName);
        DumpValues(registry, hive, strPath.empty() ? strName : strPath + "\\" + strName, lines);
    }
}

// The output with each modification time (the list's "YYYY-MM-DD HH:MM",
// local time) written as "<modified>".
std::string WithoutTimes(const std::string& strText)
{
    static const std::regex TIME("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}");
    return std::regex_replace(strText, TIME, "<modified>");
}

class ScanToolTest : public ::testing::Test
{
protected:
    ScanToolTest() { m_drive.MakeFolder("C:\\prog\\"); }

    // bAsConsoleText: the output in the form the text output is compared in;
    // off for the exported forms, whose bytes must arrive untranslated.
    SToolResult Scan(const std::string& strArguments, bool bAsConsoleText = true)
    {
        SToolResult result = RunTool("scrubix-scan", strArguments, m_drive.HostPath("C:\\prog"));
        if (bAsConsoleText)
            result.strOutput = ConsoleText(result.strOutput);
        return result;
    }

    // Stores settings as the options sheet would, before the tool starts.
    void Store(const std::string& strSection, const std::string& strName,
               const std::string& strValue)
    {
        SPlatform platform = CreatePlatform();
        CSettingsStore store(*platform.pRegistry);
        OpenSettingsStore(store, *platform.pFileSystem);
        ASSERT_TRUE(store.SetString(strSection, strName, strValue));
    }

    // Everything both hives hold, as the sandbox's registry shows it.
    std::vector<std::string> Hives()
    {
        SPlatform platform = CreatePlatform();
        std::vector<std::string> lines;
        DumpValues(*platform.pRegistry, ERegistryHive::LocalMachine, "", lines);
        lines.push_back("--");
        DumpValues(*platform.pRegistry, ERegistryHive::CurrentUser, "", lines);
        return lines;
    }

    CSandboxDrive m_drive;
};

TEST_F(ScanToolTest, PrintsEachCandidateWithReasonAndSizeThenTheCounts)
{
    m_drive.MakeFile("C:\\junk\\a.tmp", "hello");
    m_drive.MakeFile("C:\\junk\\b.BAK", std::string(2500, 'b'));
    m_drive.MakeFile("C:\\junk\\empty", "");
    m_drive.MakeFile("C:\\junk\\keepme.tmp", "kept by an Exclude");
    m_drive.MakeFile("C:\\junk\\install.log", "kept by the built-in Exclude");
    m_drive.MakeFile("C:\\junk\\report.tmp.txt", "not an extension candidate");
    m_drive.MakeFile("C:\\junk\\x~", "no extension");
    m_drive.MakeFile("C:\\deep\\er\\old.chk", std::string(1000, 'c'));
    m_drive.MakeFile("C:\\dir\\note.txt", std::string(1234, 'n'));
    m_drive.MakeFile("C:\\dir\\more.bak", std::string(3000, 'm'));
    Store("Settings", "Zero", "1");
    Store("Exclude", "Exclude0", "KEEPME.TMP");
    Store("Folder", "Folder0", "C:\\dir");

    const SToolResult result = Scan("C:");
    ASSERT_EQ(result.nExitCode, 0) << result.strOutput;
    const std::vector<std::string> lines = Lines(result.strOutput);
    ASSERT_EQ(lines.size(), 7u) << result.strOutput;
    // The directed folders come before the walk, which then meets the same
    // files again without listing them twice.
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.begin() + 2),
              (std::set<std::string>{"C:\\dir\\note.txt\tDirected\t1K",
                                     "C:\\dir\\more.bak\tDirected\t3K"}));
    EXPECT_EQ(std::set<std::string>(lines.begin() + 2, lines.end() - 1),
              (std::set<std::string>{
                  "C:\\junk\\a.tmp\tExtension\t5", "C:\\junk\\b.BAK\tExtension\t2K",
                  "C:\\junk\\empty\tZero Length\t0", "C:\\deep\\er\\old.chk\tExtension\t1000"}));
    EXPECT_EQ(lines.back(), "Extension 3\tZero Length 1\tDirected 2\tTotal 7K bytes");
    // A scan only lists.
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\a.tmp"));
    EXPECT_TRUE(m_drive.Exists("C:\\dir\\note.txt"));
}

TEST_F(ScanToolTest, AnEmptyDriveGivesTheCountsOnly)
{
    const SToolResult result = Scan(ShellQuote("c:\\"));
    ASSERT_EQ(result.nExitCode, 0) << result.strOutput;
    EXPECT_EQ(result.strOutput, "Extension 0\tZero Length 0\tDirected 0\tTotal 0K bytes\n");
}

TEST_F(ScanToolTest, WritesTheRowsAsCsvOrJsonForScripts)
{
    m_drive.MakeFile("C:\\junk\\a,b.tmp", "hello");
    m_drive.MakeFile("C:\\junk\\empty", "");
    Store("Settings", "Zero", "1");

    const SToolResult csv = Scan("--format csv C:", false);
    ASSERT_EQ(csv.nExitCode, 0) << csv.strOutput;
    const std::string strHeader = "Path,Reason,Size,Checked,Modified\r\n";
    ASSERT_EQ(csv.strOutput.substr(0, strHeader.size()), strHeader);
    const std::string strRows = WithoutTimes(csv.strOutput.substr(strHeader.size()));
    const std::string strCsvA = "\"C:\\junk\\a,b.tmp\",Extension,5,true,<modified>\r\n";
    const std::string strCsvEmpty = "C:\\junk\\empty,Zero Length,0,true,<modified>\r\n";
    EXPECT_TRUE(strRows == strCsvA + strCsvEmpty || strRows == strCsvEmpty + strCsvA) << strRows;

    const SToolResult json = Scan("--format JSON C:", false);
    ASSERT_EQ(json.nExitCode, 0) << json.strOutput;
    const std::string strA =
        "{\"path\":\"C:\\\\junk\\\\a,b.tmp\",\"reason\":\"Extension\",\"size\":5,"
        "\"checked\":true,\"modified\":\"<modified>\"}";
    const std::string strEmpty =
        "{\"path\":\"C:\\\\junk\\\\empty\",\"reason\":\"Zero Length\",\"size\":0,"
        "\"checked\":true,\"modified\":\"<modified>\"}";
    const std::string strJson = WithoutTimes(json.strOutput);
    EXPECT_TRUE(strJson == "[\n" + strA + ",\n" + strEmpty + "\n]\n" ||
                strJson == "[\n" + strEmpty + ",\n" + strA + "\n]\n")
        << json.strOutput;

    const SToolResult text = Scan("--format text C:");
    ASSERT_EQ(text.nExitCode, 0) << text.strOutput;
    EXPECT_NE(text.strOutput.find("Extension 1\tZero Length 1\tDirected 0\tTotal 0K bytes\n"),
              std::string::npos)
        << text.strOutput;
}

// The window's search deletes the browser's index files at once; the scan
// names each one it finds and leaves it where it is.
TEST_F(ScanToolTest, NamesTheIndexFilesTheSearchWouldDeleteAndLeavesThem)
{
    const std::vector<std::string> indexFiles = {
        "C:\\WINNT\\Temporary Internet Files\\index.dat",
        "C:\\Temporary Internet Files\\index.dat",
        "C:\\Users\\me\\Cache\\index.dat",
        "C:\\WINNT\\PROFILES\\default user\\Temporary Internet Files\\index.dat",
    };
    for (const std::string& strFile : indexFiles)
        m_drive.MakeFile(strFile, "index");
    m_drive.MakeFile("C:\\Temporary Internet Files\\page.htm", "cached");
    Store("Settings", "IE", "1");
    {
        SPlatform platform = CreatePlatform();
        EKeyDisposition disposition{};
        auto pKey = platform.pRegistry->CreateKey(
            ERegistryHive::CurrentUser,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", disposition);
        ASSERT_TRUE(pKey);
        ASSERT_TRUE(pKey->SetStringValue("Cache", "C:\\Users\\me\\Cache\\"));
    }

    const SToolResult text = Scan("C:");
    ASSERT_EQ(text.nExitCode, 0) << text.strOutput;
    const std::vector<std::string> lines = Lines(text.strOutput);
    for (const std::string& strFile : indexFiles)
    {
        EXPECT_TRUE(m_drive.Exists(strFile)) << strFile;
        EXPECT_EQ(
            std::count(lines.begin(), lines.end(),
                       strFile + "\tIndex File\tdeleted by the window's search; left in place"),
            1)
            << strFile << "\n"
            << text.strOutput;
    }
    EXPECT_NE(text.strOutput.find("C:\\Temporary Internet Files\\page.htm\tDirected\t6\n"),
              std::string::npos)
        << text.strOutput;
    EXPECT_EQ(lines.back(), "Extension 0\tZero Length 0\tDirected 1\tTotal 0K bytes");

    const SToolResult csv = Scan("--format csv C:", false);
    ASSERT_EQ(csv.nExitCode, 0) << csv.strOutput;
    EXPECT_NE(csv.strOutput.find("\r\nC:\\Temporary Internet Files\\index.dat,Index File,,,\r\n"),
              std::string::npos)
        << csv.strOutput;
    const SToolResult json = Scan("--format json C:", false);
    ASSERT_EQ(json.nExitCode, 0) << json.strOutput;
    EXPECT_NE(json.strOutput.find("{\"path\":\"C:\\\\Temporary Internet Files\\\\index.dat\","
                                  "\"reason\":\"Index File\",\"search_deletes\":true}"),
              std::string::npos)
        << json.strOutput;
    for (const std::string& strFile : indexFiles)
        EXPECT_TRUE(m_drive.Exists(strFile)) << strFile;
}

// A scan reads the settings and writes none: on a machine where the program
// never ran it leaves no settings and makes no folder behind it, and on one
// where it did it changes nothing.
TEST_F(ScanToolTest, WritesNoSettingsAndMakesNoFolder)
{
    m_drive.MakeFile("C:\\junk\\a.tmp");
    const SToolResult fresh = Scan("C:");
    ASSERT_EQ(fresh.nExitCode, 0) << fresh.strOutput;
    EXPECT_NE(fresh.strOutput.find("C:\\junk\\a.tmp\tExtension\t1\n"), std::string::npos)
        << fresh.strOutput;
    EXPECT_FALSE(m_drive.Exists("C:\\prog\\Bak"));
    EXPECT_TRUE(std::filesystem::is_empty(m_drive.RegistryFolder()));
    EXPECT_EQ(Hives(), std::vector<std::string>{"--"});

    Store("Settings", "Zero", "1");
    Store("Settings", "IE", "1");
    const std::vector<std::string> before = Hives();
    const SToolResult stored = Scan("C:");
    ASSERT_EQ(stored.nExitCode, 0) << stored.strOutput;
    EXPECT_EQ(Hives(), before);
    EXPECT_FALSE(m_drive.Exists("C:\\prog\\Bak"));
}

TEST_F(ScanToolTest, RefusesWhatIsNotASearchableDrive)
{
    const std::string strUsage =
        "usage: scrubix-scan [--format text|csv|json] [--min-age DAYS] DRIVE:   (for example: "
        "scrubix-scan C:)\n";
    const struct
    {
        const char* pArguments;
        int nExitCode;
        std::string strOutput;
    } cases[] = {
        {"", 2, strUsage},
        {"C: D:", 2, strUsage},
        {"C:\\\\junk", 2, strUsage},
        {"CC:", 2, strUsage},
        {"1:", 2, strUsage},
        {"Q:", 1, "scrubix-scan: drive Q: cannot be searched\n"},
        {"--format xml C:", 2, strUsage},
        {"--format csv", 2, strUsage},
        {"C: --format csv", 2, strUsage},
        {"--min-age C:", 2, strUsage},
        {"--min-age -1 C:", 2, strUsage},
        {"--min-age 3651 C:", 2, strUsage},
        {"--min-age 1x C:", 2, strUsage},
        {"C: --min-age 1", 2, strUsage},
    };
    m_drive.MakeFile("C:\\junk\\a.tmp");
    for (const auto& test : cases)
    {
        const SToolResult result = Scan(test.pArguments);
        EXPECT_EQ(result.nExitCode, test.nExitCode) << test.pArguments;
        EXPECT_EQ(result.strOutput, test.strOutput) << test.pArguments;
    }
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\a.tmp"));
}
} // namespace
