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

// One argument as the C runtime splits a command line: backslashes stand for
// themselves except before a quote, where each pair gives one backslash and
// an odd one escapes the quote. So a word's backslashes before one of its
// quotes, and those at its end (before the closing quote), are doubled: "C:\\"
// arrives as C:\ and "" as an empty argument.
std::string ShellQuote(const std::string& strWord)
{
    std::string strQuoted = "\"";
    size_t nBackslashes = 0;
    for (char c : strWord)
    {
        if (c == '\\')
        {
            ++nBackslashes;
            continue;
        }
        strQuoted.append(c == '"' ? 2 * nBackslashes + 1 : nBackslashes, '\\');
        nBackslashes = 0;
        strQuoted += c;
    }
    strQuoted.append(2 * nBackslashes, '\\');
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

    // Under Wine on a loaded machine cmd.exe now and then fails to start the
    // program at all (status 9009, "not recognized", nothing from the tool):
    // that is no answer of the tool's, so it is asked again.
    constexpr int CMD_COULD_NOT_START = 9009;
    SToolResult result;
    for (int nAttempt = 0; nAttempt < 3; ++nAttempt)
    {
        result = SToolResult();
        FILE* pPipe = _popen(strCommand.c_str(), "rb");
        if (pPipe == nullptr)
            return result;
        std::array<char, 4096> buffer{};
        size_t nRead = 0;
        while ((nRead = fread(buffer.data(), 1, buffer.size(), pPipe)) > 0)
            result.strOutput.append(buffer.data(), nRead);
        result.nExitCode = _pclose(pPipe);
        if (result.nExitCode != CMD_COULD_NOT_START || !result.strOutput.empty())
            break;
    }
    return result;
}
