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

// Single-quotes a word for the shell.
std::string ShellQuote(const std::string& strWord);
