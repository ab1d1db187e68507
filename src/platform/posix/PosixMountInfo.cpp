#include "platform/posix/PosixMountInfo.h"

#include <sstream>

namespace
{

// The kernel writes space, tab, newline and backslash as \ooo.
std::string Unescape(const std::string& strField)
{
    std::string strResult;
    strResult.reserve(strField.size());
    for (size_t i = 0; i < strField.size(); ++i)
    {
        if (strField[i] == '\\' && i + 3 < strField.size())
        {
            const auto IsOctal = [](char c) { return c >= '0' && c <= '7'; };
            if (IsOctal(strField[i + 1]) && IsOctal(strField[i + 2]) && IsOctal(strField[i + 3]))
            {
                const int nValue = (strField[i + 1] - '0') * 64 + (strField[i + 2] - '0') * 8 +
                                   (strField[i + 3] - '0');
                strResult.push_back(static_cast<char>(nValue));
                i += 3;
                continue;
            }
        }
        strResult.push_back(strField[i]);
    }
    return strResult;
}

} // namespace

std::vector<SPosixMount> ParsePosixMountInfo(const std::string& strText)
{
    std::vector<SPosixMount> mounts;
    std::istringstream lines(strText);
    std::string strLine;
    while (std::getline(lines, strLine))
    {
        // id parent major:minor root mount-point options [optional...] - type source super
        std::istringstream fields(strLine);
        std::string strId, strParent, strDevice, strRoot, strMountPoint, strOptions, strField;
        if (!(fields >> strId >> strParent >> strDevice >> strRoot >> strMountPoint >> strOptions))
            continue;
        while (fields >> strField && strField != "-")
        {
        }
        std::string strType, strSource;
        if (strField != "-" || !(fields >> strType >> strSource))
            continue;
        SPosixMount mount;
        unsigned int nMajor = 0, nMinor = 0;
        char cColon = 0;
        std::istringstream device(strDevice);
        if (!(device >> nMajor >> cColon >> nMinor) || cColon != ':')
            continue;
        mount.nMajor = nMajor;
        mount.nMinor = nMinor;
        mount.strRoot = Unescape(strRoot);
        mount.strMountPoint = Unescape(strMountPoint);
        mount.strType = Unescape(strType);
        mount.strSource = Unescape(strSource);
        mounts.push_back(std::move(mount));
    }
    return mounts;
}
