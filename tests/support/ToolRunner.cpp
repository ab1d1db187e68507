#include "support/ToolRunner.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

std::string ShellQuote(const std::string& strWord)
{
    std::string strQuoted = "'";
    for (char c : strWord)
        strQuoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return strQuoted + "'";
}

SToolResult RunTool(const std::string& strTool, const std::string& strArguments,
                    const std::filesystem::path& folder)
{
    const char* pToolsDir = std::getenv("SCRUBIX_TOOLS_DIR");
    const std::string strExecutable =
        (std::filesystem::path(pToolsDir != nullptr ? pToolsDir : ".") / strTool).string();
    std::string strCommand;
    if (!folder.empty())
        strCommand = "cd " + ShellQuote(folder.string()) + " && ";
    strCommand += ShellQuote(strExecutable) + " " + strArguments + " 2>&1";

    SToolResult result;
    FILE* pPipe = popen(strCommand.c_str(), "r");
    if (pPipe == nullptr)
        return result;
    std::array<char, 4096> buffer{};
    size_t nRead = 0;
    while ((nRead = fread(buffer.data(), 1, buffer.size(), pPipe)) > 0)
        result.strOutput.append(buffer.data(), nRead);
    const int nStatus = pclose(pPipe);
    result.nExitCode = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    return result;
}
