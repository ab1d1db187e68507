#pragma once

#include <string>

// Where the platform differs from the test's expectation by design rather
// than by fault. One form per backend: PlatformTraits.cpp and
// win32/PlatformTraits.cpp.

// Text as the platform's text files hold it: "\n" becomes the text-mode line
// end ("\r\n" on Windows).
std::string TextModeLines(const std::string& strText);

// A tool's console output with the console's line ends read as "\n": Windows
// consoles write "\r\n", other platforms' output is taken as it is.
std::string ConsoleText(std::string strOutput);

// True when the Windows backend runs under Wine rather than Windows. Wine's
// Recycle Bin is the Unix user's freedesktop trash, used only when that folder
// already exists (otherwise the shell answers success and leaves the file),
// and its read-only attribute is the Unix write bits, which root passes.
bool RunsUnderWine();
