// Names that could forge rows or columns of scrubix-scan's output, or read as
// one another, on real files: every row reads back to exactly its own path.
#include "support/CSandboxDrive.h"
#include "support/ExportReaders.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> Split(const std::string& strText, char cSeparator)
{
    std::vector<std::string> parts;
    std::istringstream in(strText);
    for (std::string strPart; std::getline(in, strPart, cSeparator);)
        parts.push_back(strPart);
    return parts;
}

TEST(ScanOutputPosixTest, EveryRowReadsBackToExactlyItsOwnPath)
{
    CSandboxDrive sandbox;
    sandbox.MakeFolder("C:\\prog\\");
    const std::set<std::string> paths = {
        "C:\\odd\\tab\there.tmp", "C:\\odd\\new\nline.tmp",       "C:\\odd\\carriage\rreturn.tmp",
        "C:\\odd\\bad\xff.tmp",   "C:\\odd\\bad\xef\xbf\xbd.tmp", "C:\\odd\\x41\\x5C.tmp",
        "C:\\odd\\plain.tmp",
    };
    for (const std::string& strPath : paths)
        sandbox.MakeFile(strPath, "junk");

    const SToolResult text = RunTool("scrubix-scan", "C:", sandbox.HostPath("C:\\prog"));
    ASSERT_EQ(text.nExitCode, 0) << text.strOutput;
    std::vector<std::string> lines = Split(text.strOutput, '\n');
    ASSERT_EQ(lines.size(), paths.size() + 1) << text.strOutput;
    EXPECT_EQ(lines.back(), "Extension 7\tZero Length 0\tDirected 0\tTotal 0K bytes");
    lines.pop_back();
    std::set<std::string> read;
    for (const std::string& strLine : lines)
    {
        const std::vector<std::string> fields = Split(strLine, '\t');
        ASSERT_EQ(fields.size(), 3u) << strLine;
        EXPECT_EQ(fields[1], "Extension") << strLine;
        EXPECT_EQ(strLine.find('\r'), std::string::npos) << strLine;
        read.insert(ReadTextField(fields[0]));
    }
    EXPECT_EQ(read, paths);
    // An ordinary path is printed as it is.
    EXPECT_NE(text.strOutput.find("C:\\odd\\plain.tmp\tExtension\t4\n"), std::string::npos);

    const SToolResult json =
        RunTool("scrubix-scan", "--format json C:", sandbox.HostPath("C:\\prog"));
    ASSERT_EQ(json.nExitCode, 0) << json.strOutput;
    std::vector<std::map<std::string, std::string>> records;
    ASSERT_TRUE(ReadJsonRecords(json.strOutput, records)) << json.strOutput;
    ASSERT_EQ(records.size(), paths.size());
    read.clear();
    for (const auto& record : records)
        read.insert(ExactJsonPath(record));
    EXPECT_EQ(read, paths);

    for (const std::string& strPath : paths)
        EXPECT_TRUE(sandbox.Exists(strPath));
}
} // namespace
