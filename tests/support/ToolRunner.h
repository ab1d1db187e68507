#pragma once

#include <filesystem>
#include <string>

struct SToolResult
{
    int nExitCode = -1;
    std::string strOutput; // standard output and standard error together
};

// Runs one of the project's executables (found in $SCRUBIX_TOOLS_DIR) through
// the shell, in the given folder (or the current one), capturing its output.
// strArguments is passed to the shell as written: quote what needs it.
SToolResult RunTool(const std::string& strTool, const std::string& strArguments,
                    const std::filesystem::path& folder = {});

// Quotes a word so that the tool gets it as one argument, exactly, even when
// it is empty: single quotes for the POSIX shell, the C runtime's double
// quotes on Windows.
std::string ShellQuote(const std::string& strWord);
