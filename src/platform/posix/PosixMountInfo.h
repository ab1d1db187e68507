#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One line of /proc/self/mountinfo, with its octal escapes decoded.
struct SPosixMount
{
    uint32_t nMajor = 0;
    uint32_t nMinor = 0;
    std::string strRoot; // the folder of the file system mounted here
    std::string strMountPoint;
    std::string strType;
    std::string strSource;
};

// Lines that cannot be parsed are skipped.
std::vector<SPosixMount> ParsePosixMountInfo(const std::string& strText);
