#pragma once

#include <cstdint>
#include <string>

// How the program was launched, decided once from the command line before the
// main window exists and never changed afterwards.
struct CLaunchMode
{
    int32_t InvisibleMode = 0; // the invisible boot token was given
    int32_t BootLaunch = 0;    // either boot token was given

    // Plain substring search of the upper-cased arguments (the command line
    // without the program's own name): position, letter case and surrounding
    // text do not matter; when both tokens are present the invisible one
    // decides.
    void ScanLaunchTokens(const std::string& strArguments);
};

inline constexpr const char* INVISIBLE_BOOT_TOKEN = "7QX2M9R4TJ6W1HN5";
inline constexpr const char* VISIBLE_BOOT_TOKEN = "A47F19C2D08B6E53";
