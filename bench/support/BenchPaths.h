#pragma once

// Plausible candidate paths for the benchmark programs, on any platform.

#include <string>

// A plausible candidate path: a few folders deep, a numbered file.
inline std::string BenchCandidatePath(int n)
{
    static const char* const FOLDERS[] = {"C:\\Users\\anna\\AppData\\Local\\Temp\\",
                                          "C:\\Windows\\Temp\\", "C:\\Projects\\site\\build\\",
                                          "C:\\Users\\anna\\Documents\\old drafts\\"};
    return std::string(FOLDERS[n % 4]) + "sub" + std::to_string(n % 997) + "\\file" +
           std::to_string(n) + (n % 2 == 0 ? ".tmp" : ".bak");
}
