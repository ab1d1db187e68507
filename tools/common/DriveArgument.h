#pragma once

#include "settings/TextFolding.h"

#include <string>

// "c:", "C:" or "C:\" on the command line -> "C:".
inline bool ParseDriveArgument(const std::string& strArgument, std::string& strRoot)
{
    std::string strDrive = ToUpperAscii(strArgument);
    if (strDrive.size() == 3 && strDrive[2] == '\\')
        strDrive.pop_back();
    if (strDrive.size() != 2 || strDrive[1] != ':' || strDrive[0] < 'A' || strDrive[0] > 'Z')
        return false;
    strRoot = strDrive;
    return true;
}
