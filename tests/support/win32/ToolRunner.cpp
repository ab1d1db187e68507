// The tool runner on Windows: the command goes through cmd.exe.
#include "support/ToolRunner.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <windows.h>

namespace
{

// The tools are built next to the test executables. SCRUBIX_TOOLS_DIR wins
// when it holds a Windows path; a cross build's test driver sets it to the
// Unix path of that same folder, which Windows cannot be relied on to open.
std::filesystem::path ToolsFolder()
{
    const char* pszToolsDir = std::getenv("SCRUBIX_TOOLS_DIR");
    if (pszToolsDir != nullptr && pszToolsDir[0] != '\0' && pszToolsDir[0] != '/')
        return pszToolsDir;
    std::vector<char> buffer(MAX_PATH + 1);
    DWORD nLength = 0;
    while ((nLength = ::GetModuleFileNameA(nullptr, buffer.data(),
                                           static_cast<DWORD>(buffer.size()))) == buffer.size())
        buffer.resize(buffer.size() * 2);
    if (nLength == 0)
        return ".";
    return std::filesystem::path(std::string(buffer.data(), nLength)).parent_path();
}

} // namespace

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
    const std::string strExecutable = (ToolsFolder() / (strTool + ".exe")).string();
    std::string strCommand;
    if (!folder.empty())
        strCommand = "cd /d " + ShellQuote(folder.string()) + " && ";
    strCommand += ShellQuote(strExecutable) + " " + strArguments + " 2>&1";
    // cmd /c drops the first and the last quote of its command line: give it
    // a pair of its own so that the command keeps every quote it has.
    strCommand = "\"" + strCommand + "\"";

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
