#include "support/ExportReaders.h"

#include <cstdint>

namespace
{
int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void AppendUtf8(uint32_t nCode, std::string& strOut)
{
    if (nCode < 0x80)
        strOut.push_back(static_cast<char>(nCode));
    else if (nCode < 0x800)
    {
        strOut.push_back(static_cast<char>(0xC0 | (nCode >> 6)));
        strOut.push_back(static_cast<char>(0x80 | (nCode & 0x3F)));
    }
    else if (nCode < 0x10000)
    {
        strOut.push_back(static_cast<char>(0xE0 | (nCode >> 12)));
        strOut.push_back(static_cast<char>(0x80 | ((nCode >> 6) & 0x3F)));
        strOut.push_back(static_cast<char>(0x80 | (nCode & 0x3F)));
    }
    else
    {
        strOut.push_back(static_cast<char>(0xF0 | (nCode >> 18)));
        strOut.push_back(static_cast<char>(0x80 | ((nCode >> 12) & 0x3F)));
        strOut.push_back(static_cast<char>(0x80 | ((nCode >> 6) & 0x3F)));
        strOut.push_back(static_cast<char>(0x80 | (nCode & 0x3F)));
    }
}

class CJsonReader
{
public:
    explicit CJsonReader(const std::string& strText) : m_strText(strText) {}

    bool Records(std::vector<std::map<std::string, std::string>>& records)
    {
        if (!Take('['))
            return false;
        if (Take(']'))
            return AtEnd();
        do
        {
            std::map<std::string, std::string> record;
            if (!Object(record))
                return false;
            records.push_back(std::move(record));
        } while (Take(','));
        return Take(']') && AtEnd();
    }

private:
    void SkipBlanks()
    {
        while (m_nPos < m_strText.size() &&
               (m_strText[m_nPos] == ' ' || m_strText[m_nPos] == '\n' ||
                m_strText[m_nPos] == '\r' || m_strText[m_nPos] == '\t'))
            ++m_nPos;
    }
    bool Take(char c)
    {
        SkipBlanks();
        if (m_nPos >= m_strText.size() || m_strText[m_nPos] != c)
            return false;
        ++m_nPos;
        return true;
    }
    bool AtEnd()
    {
        SkipBlanks();
        return m_nPos == m_strText.size();
    }
    bool Hex4(uint32_t& nCode)
    {
        nCode = 0;
        for (int n = 0; n < 4; ++n, ++m_nPos)
        {
            const int nDigit = m_nPos < m_strText.size() ? HexValue(m_strText[m_nPos]) : -1;
            if (nDigit < 0)
                return false;
            nCode = nCode * 16 + static_cast<uint32_t>(nDigit);
        }
        return true;
    }
    bool String(std::string& strOut)
    {
        if (!Take('"'))
            return false;
        while (m_nPos < m_strText.size())
        {
            const char c = m_strText[m_nPos++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\')
            {
                strOut.push_back(c);
                continue;
            }
            if (m_nPos >= m_strText.size())
                return false;
            const char cEscape = m_strText[m_nPos++];
            const std::string strSimple = "\"\\/bfnrt";
            const std::string strMeant = "\"\\/\b\f\n\r\t";
            if (const size_t n = strSimple.find(cEscape); n != std::string::npos)
                strOut.push_back(strMeant[n]);
            else if (cEscape == 'u')
            {
                uint32_t nCode = 0;
                if (!Hex4(nCode))
                    return false;
                if (nCode >= 0xD800 && nCode < 0xDC00)
                {
                    uint32_t nLow = 0;
                    if (m_strText.compare(m_nPos, 2, "\\u") != 0)
                        return false;
                    m_nPos += 2;
                    if (!Hex4(nLow) || nLow < 0xDC00 || nLow > 0xDFFF)
                        return false;
                    nCode = 0x10000 + ((nCode - 0xD800) << 10) + (nLow - 0xDC00);
                }
                AppendUtf8(nCode, strOut);
            }
            else
                return false;
        }
        return false;
    }
    bool Object(std::map<std::string, std::string>& record)
    {
        if (!Take('{'))
            return false;
        if (Take('}'))
            return true;
        do
        {
            std::string strName;
            std::string strValue;
            if (!String(strName) || !Take(':'))
                return false;
            SkipBlanks();
            if (m_nPos < m_strText.size() && m_strText[m_nPos] == '"')
            {
                if (!String(strValue))
                    return false;
            }
            else
            {
                const size_t nEnd = m_strText.find_first_of(",}", m_nPos);
                if (nEnd == std::string::npos)
                    return false;
                strValue = m_strText.substr(m_nPos, nEnd - m_nPos);
                m_nPos = nEnd;
            }
            if (!record.emplace(strName, strValue).second)
                return false; // a name twice
        } while (Take(','));
        return Take('}');
    }

    const std::string& m_strText;
    size_t m_nPos = 0;
};
} // namespace

std::string ReadTextField(const std::string& strField)
{
    std::string strOut;
    for (size_t n = 0; n < strField.size(); ++n)
    {
        if (strField[n] == '\\' && n + 3 < strField.size() && strField[n + 1] == 'x' &&
            HexValue(strField[n + 2]) >= 0 && HexValue(strField[n + 3]) >= 0)
        {
            strOut.push_back(
                static_cast<char>(HexValue(strField[n + 2]) * 16 + HexValue(strField[n + 3])));
            n += 3;
        }
        else
            strOut.push_back(strField[n]);
    }
    return strOut;
}

std::string ExactJsonPath(const std::map<std::string, std::string>& record)
{
    const auto bytes = record.find("path_bytes");
    if (bytes == record.end())
    {
        const auto path = record.find("path");
        return path == record.end() ? std::string() : path->second;
    }
    std::string strPath;
    for (size_t n = 0; n + 1 < bytes->second.size(); n += 2)
        strPath.push_back(
            static_cast<char>(HexValue(bytes->second[n]) * 16 + HexValue(bytes->second[n + 1])));
    return strPath;
}

bool ReadJsonRecords(const std::string& strText,
                     std::vector<std::map<std::string, std::string>>& records)
{
    return CJsonReader(strText).Records(records);
}
