#pragma once

#include <string>

// What a test expects of the platform where it differs by design rather than
// by fault. One form per backend: PlatformTraits.cpp and win32/PlatformTraits.cpp.

// Text as the platform's text files hold it: "\n" becomes the text-mode line
// end ("\r\n" on Windows).
std::string TextModeLines(const std::string& strText);

// False where the shell accepts a file for the Recycle Bin but leaves it in
// its folder (Wine), so that a move to the trash can only fail there.
bool TrashMovesFiles();
