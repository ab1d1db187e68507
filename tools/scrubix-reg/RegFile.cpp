#include "RegFile.h"

#include "RegKeyName.h"
#include "RegValueText.h"

#include <cstdio>
#include <utility>

namespace
{
constexpr const char* CRLF = "\r\n";
constexpr size_t HEX_LINE_WIDTH = 76;

// A line break is written as "\n" or "\r": a value name may hold one, and a
// raw one would end the line.
std::string Quoted(const std::string& strText)
{
    std::string strQuoted = "\"";
    for (char c : strText)
    {
        if (c == '\\' || c == '"')
            strQuoted += '\\';
        if (c == '\n' || c == '\r')
            strQuoted += c == '\n' ? "\\n" : "\\r";
        else
            strQuoted += c;
    }
    return strQuoted + '"';
}

// Text that survives a round trip through "..." unchanged.
bool IsPlainString(const SRegistryValue& value)
{
    const std::string& strData = value.strData;
    return value.nType == REG_TYPE_SZ && !strData.empty() && strData.back() == '\0' &&
           strData.find('\0') == strData.size() - 1 &&
           strData.find_first_of("\r\n") == std::string::npos;
}

std::string FormatValue(const SRegistryValue& value)
{
    std::string strLine = value.strName.empty() ? "@=" : Quoted(value.strName) + "=";
    if (IsPlainString(value))
        return strLine + Quoted(value.strData.substr(0, value.strData.size() - 1)) + CRLF;

    char szBuffer[32];
    if (value.nType == REG_TYPE_DWORD && value.strData.size() == 4)
    {
        uint32_t nValue = 0;
        for (size_t i = 4; i-- > 0;)
            nValue = (nValue << 8) | static_cast<unsigned char>(value.strData[i]);
        std::snprintf(szBuffer, sizeof(szBuffer), "dword:%08x", nValue);
        return strLine + szBuffer + CRLF;
    }
    if (value.nType == REG_TYPE_BINARY)
        strLine += "hex:";
    else
    {
        std::snprintf(szBuffer, sizeof(szBuffer), "hex(%x):", value.nType);
        strLine += szBuffer;
    }
    std::string strText;
    for (size_t i = 0; i < value.strData.size(); ++i)
    {
        std::snprintf(szBuffer, sizeof(szBuffer), "%02x",
                      static_cast<unsigned char>(value.strData[i]));
        strLine += szBuffer;
        if (i + 1 < value.strData.size())
        {
            strLine += ',';
            if (strLine.size() >= HEX_LINE_WIDTH)
            {
                strText += strLine + "\\" + CRLF;
                strLine = "  ";
            }
        }
    }
    return strText + strLine + CRLF;
}

class CRegFileParser
{
public:
    CRegFileParser(std::vector<SRegFileKey>& keys, std::string& strError)
        : m_keys(keys), m_strError(strError)
    {
    }
    bool Parse(const std::string& strText);

private:
    bool ParseLine(const std::string& strLine);
    bool ParseSection(const std::string& strLine);
    bool ParseValue(const std::string& strLine);
    bool ParseQuoted(const std::string& strLine, size_t& nPos, std::string& strText);
    bool ParseHex(const std::string& strBytes, std::string& strData);
    bool Fail(const std::string& strWhat);

    std::vector<SRegFileKey>& m_keys;
    std::string& m_strError;
    size_t m_nLine = 0;
    bool m_bHeaderSeen = false;
};

std::string Trimmed(const std::string& strText)
{
    const size_t nFirst = strText.find_first_not_of(" \t");
    if (nFirst == std::string::npos)
        return {};
    const size_t nLast = strText.find_last_not_of(" \t");
    return strText.substr(nFirst, nLast - nFirst + 1);
}

bool CRegFileParser::Fail(const std::string& strWhat)
{
    m_strError = "line " + std::to_string(m_nLine) + ": " + strWhat;
    return false;
}

bool CRegFileParser::Parse(const std::string& strText)
{
    size_t nPos = strText.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    size_t nLineNumber = 0;
    while (nPos < strText.size())
    {
        // A logical line runs on while a physical line ends with a backslash.
        m_nLine = nLineNumber + 1;
        std::string strLogical;
        bool bMore = true;
        while (bMore && nPos < strText.size())
        {
            size_t nEnd = strText.find('\n', nPos);
            if (nEnd == std::string::npos)
                nEnd = strText.size();
            std::string strPhysical = strText.substr(nPos, nEnd - nPos);
            nPos = nEnd + 1;
            ++nLineNumber;
            if (!strPhysical.empty() && strPhysical.back() == '\r')
                strPhysical.pop_back();
            strPhysical = Trimmed(strPhysical);
            bMore = !strPhysical.empty() && strPhysical.back() == '\\';
            if (bMore)
                strPhysical.pop_back();
            strLogical += strPhysical;
        }
        if (!ParseLine(strLogical))
            return false;
    }
    if (!m_bHeaderSeen)
        return Fail("not a REGEDIT4 file");
    return true;
}

bool CRegFileParser::ParseLine(const std::string& strLine)
{
    if (strLine.empty() || strLine.front() == ';')
        return true;
    if (!m_bHeaderSeen)
    {
        if (strLine != "REGEDIT4" && strLine != "Windows Registry Editor Version 5.00")
            return Fail("expected REGEDIT4");
        m_bHeaderSeen = true;
        return true;
    }
    if (strLine.front() == '[')
        return ParseSection(strLine);
    if (strLine.front() == '"' || strLine.front() == '@')
        return ParseValue(strLine);
    return Fail("unexpected text: " + strLine);
}

bool CRegFileParser::ParseSection(const std::string& strLine)
{
    if (strLine.back() != ']')
        return Fail("a key name must end with ']'");
    const std::string strName = strLine.substr(1, strLine.size() - 2);
    if (!strName.empty() && strName.front() == '-')
        return Fail("deleting keys is not supported");
    SRegFileKey key;
    if (!ParseKeyName(strName, key.hive, key.strPath))
        return Fail("unknown hive in key name: " + strName);
    // Refused here, before anything is written: the registry would refuse
    // the key part way through the import.
    if (const std::string strLimit = KeyPathLimitError(key.strPath); !strLimit.empty())
        return Fail(strLimit);
    m_keys.push_back(std::move(key));
    return true;
}

bool CRegFileParser::ParseQuoted(const std::string& strLine, size_t& nPos, std::string& strText)
{
    // nPos is on the opening quote; it ends just past the closing one.
    strText.clear();
    for (++nPos; nPos < strLine.size(); ++nPos)
    {
        const char c = strLine[nPos];
        if (c == '"')
        {
            ++nPos;
            return true;
        }
        if (c == '\\')
        {
            const char cNext = nPos + 1 < strLine.size() ? strLine[nPos + 1] : '\0';
            if (cNext != '\\' && cNext != '"' && cNext != 'n' && cNext != 'r')
                return Fail("bad escape in quoted text");
            ++nPos;
            strText += cNext == 'n' ? '\n' : cNext == 'r' ? '\r' : cNext;
            continue;
        }
        strText += c;
    }
    return Fail("missing closing quote");
}

bool CRegFileParser::ParseHex(const std::string& strBytes, std::string& strData)
{
    strData.clear();
    if (Trimmed(strBytes).empty())
        return true;
    size_t nStart = 0;
    while (nStart <= strBytes.size())
    {
        size_t nEnd = strBytes.find(',', nStart);
        if (nEnd == std::string::npos)
            nEnd = strBytes.size();
        const std::string strByte = Trimmed(strBytes.substr(nStart, nEnd - nStart));
        if (strByte.empty() || strByte.size() > 2 ||
            strByte.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return Fail("bad hex byte '" + strByte + "'");
        strData += static_cast<char>(std::stoul(strByte, nullptr, 16));
        nStart = nEnd + 1;
    }
    return true;
}

bool CRegFileParser::ParseValue(const std::string& strLine)
{
    if (m_keys.empty())
        return Fail("value before the first [key]");
    SRegistryValue value;
    size_t nPos = 0;
    if (strLine.front() == '@')
        nPos = 1;
    else if (!ParseQuoted(strLine, nPos, value.strName))
        return false;
    while (nPos < strLine.size() && (strLine[nPos] == ' ' || strLine[nPos] == '\t'))
        ++nPos;
    if (nPos >= strLine.size() || strLine[nPos] != '=')
        return Fail("expected '=' after the value name");
    const std::string strData = Trimmed(strLine.substr(nPos + 1));

    if (!strData.empty() && strData.front() == '"')
    {
        size_t nDataPos = 0;
        if (!ParseQuoted(strData, nDataPos, value.strData))
            return false;
        if (nDataPos != strData.size())
            return Fail("text after the closing quote");
        value.nType = REG_TYPE_SZ;
        value.strData.push_back('\0');
    }
    else if (strData.compare(0, 6, "dword:") == 0)
    {
        const std::string strNumber = strData.substr(6);
        if (strNumber.empty() || strNumber.size() > 8 ||
            strNumber.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return Fail("bad dword '" + strNumber + "'");
        unsigned long nNumber = std::stoul(strNumber, nullptr, 16);
        value.nType = REG_TYPE_DWORD;
        value.strData.clear();
        for (int i = 0; i < 4; ++i, nNumber >>= 8)
            value.strData += static_cast<char>(nNumber & 0xff);
    }
    else if (strData.compare(0, 4, "hex:") == 0)
    {
        value.nType = REG_TYPE_BINARY;
        if (!ParseHex(strData.substr(4), value.strData))
            return false;
    }
    else if (strData.compare(0, 4, "hex(") == 0)
    {
        const size_t nClose = strData.find("):");
        const std::string strType =
            nClose == std::string::npos ? std::string() : strData.substr(4, nClose - 4);
        if (strType.empty() || strType.size() > 8 ||
            strType.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return Fail("bad value type in hex(...)");
        value.nType = static_cast<uint32_t>(std::stoul(strType, nullptr, 16));
        if (!ParseHex(strData.substr(nClose + 2), value.strData))
            return false;
    }
    else if (strData == "-")
        return Fail("deleting values is not supported");
    else
        return Fail("unrecognised value data: " + strData);

    m_keys.back().values.push_back(value);
    return true;
}
} // namespace

std::string FormatRegFile(const std::vector<SRegFileKey>& keys)
{
    std::string strText = std::string("REGEDIT4") + CRLF + CRLF;
    for (const SRegFileKey& key : keys)
    {
        strText += "[" + FullKeyName(key.hive, key.strPath) + "]" + CRLF;
        for (const SRegistryValue& value : key.values)
            strText += FormatValue(value);
        strText += CRLF;
    }
    return strText;
}

bool ParseRegFile(const std::string& strText, std::vector<SRegFileKey>& keys, std::string& strError)
{
    keys.clear();
    CRegFileParser parser(keys, strError);
    return parser.Parse(strText);
}
