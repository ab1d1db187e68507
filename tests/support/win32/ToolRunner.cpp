// The tool runner on Windows: the command goes through cmd.exe.
#include "support/ToolRunner.h"

#include <array>
#include <cstdio>
#include <cstdlib>

std::string ShellQuote(const std::string& strWord)
{
    std::string strQuoted = "\"";
    for (char c : strWord)
        strQuoted += c == '"' ? std::string("\\\"") : std::string(1, c);
    return strQuoted + "\"";
}

SToolResult RunTool(const std::string& strTool, const std::string& strArguments,
                    const std::filesystem::path& folder)
{
    const char* pToolsDir = std::getenv("SCRUBIX_TOOLS_DIR");
    const std::string strExecutable =
        (std::filesystem::path(pToolsDir != nullptr ? pToolsDir : ".") / (strTool + ".exe"))
            .string();
    std::string strCommand;
    if (!folder.empty())
        strCommand = "cd /d " + ShellQuote(folder.string()) + " && ";
    strCommand += ShellQuote(strExecutable) + " " + strArguments + " 2>&1";

    SToolResult result;
    FILE* pPipe = _popen(strCommand.c_str(), "rb");
    if (pPipe == nullptr)
        return result;
    std::array<char, 4096> buffer{};
    size_t nRead = 0;
    while ((nRead = fread(buffer.data(), 1, buffer.size(), pPipe)) > 0)
        result.strOutput.append(buffer.data(), nRead);
    result.nExitCode = _pclose(pPipe);
    return result;
}
