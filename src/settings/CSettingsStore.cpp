#include "settings/CSettingsStore.h"

#include <cctype>
#include <climits>
#include <cstring>
#include <vector>

namespace
{
constexpr size_t INI_PIECE_LENGTH = 519;

bool IsBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string Trim(const std::string& strText)
{
    size_t nBegin = 0;
    size_t nEnd = strText.size();
    while (nBegin < nEnd && IsBlank(strText[nBegin]))
        ++nBegin;
    while (nEnd > nBegin && IsBlank(strText[nEnd - 1]))
        --nEnd;
    return strText.substr(nBegin, nEnd - nBegin);
}

// The file as the C runtime's line reader hands it out: pieces of at most 519
// characters, each ending after a line break or at the piece limit.
std::vector<std::string> SplitIniPieces(const std::string& strContents)
{
    std::vector<std::string> pieces;
    size_t nPos = 0;
    while (nPos < strContents.size())
    {
        size_t nLength = 0;
        while (nPos + nLength < strContents.size() && nLength < INI_PIECE_LENGTH)
        {
            ++nLength;
            if (strContents[nPos + nLength - 1] == '\n')
                break;
        }
        pieces.push_back(strContents.substr(nPos, nLength));
        nPos += nLength;
    }
    return pieces;
}

bool IsSectionHeader(const std::string& strLine)
{
    const size_t nOpen = strLine.find('[');
    const size_t nClose = strLine.find(']');
    return nOpen != std::string::npos && nClose != std::string::npos &&
           nClose + 1 == strLine.size() + nOpen;
}
} // namespace

std::string ComposeBaseKeyPath()
{
    return std::string("Software\\Halvorne Software\\") + APP_NAME;
}

bool ParseLeadingInt(const std::string& strText, int32_t& nValue)
{
    size_t nPos = 0;
    while (nPos < strText.size() && IsBlank(strText[nPos]))
        ++nPos;
    bool bNegative = false;
    if (nPos < strText.size() && (strText[nPos] == '-' || strText[nPos] == '+'))
        bNegative = strText[nPos++] == '-';
    if (nPos >= strText.size() || !std::isdigit(static_cast<unsigned char>(strText[nPos])))
        return false;
    // Out-of-range numbers saturate rather than wrap.
    long long nMagnitude = 0;
    for (; nPos < strText.size() && std::isdigit(static_cast<unsigned char>(strText[nPos])); ++nPos)
    {
        nMagnitude = nMagnitude * 10 + (strText[nPos] - '0');
        if (nMagnitude > static_cast<long long>(INT32_MAX) + 1)
            nMagnitude = static_cast<long long>(INT32_MAX) + 1;
    }
    const long long nSigned = bNegative ? -nMagnitude : nMagnitude;
    nValue = static_cast<int32_t>(nSigned > INT32_MAX ? INT32_MAX : nSigned);
    return true;
}

CSettingsStore::CSettingsStore(IRegistry& registry) : m_registry(registry) {}

bool CSettingsStore::SetBaseKey(ERegistryHive hive, const std::string& strPath,
                                std::unique_ptr<IRegistryKey>* ppKey, EKeyDisposition* pDisposition)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_hive = hive;
    m_strBasePath = strPath;
    EKeyDisposition disposition = EKeyDisposition::OpenedExistingKey;
    std::unique_ptr<IRegistryKey> pKey = m_registry.CreateKey(hive, strPath, disposition);
    const bool bOpened = pKey != nullptr;
    if (pDisposition != nullptr)
        *pDisposition = disposition;
    if (ppKey != nullptr)
        *ppKey = std::move(pKey);
    return bOpened;
}

std::string CSettingsStore::GetBaseKey() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_strBasePath;
}

std::string CSettingsStore::SectionPath(const std::string& strSection) const
{
    return m_strBasePath + "\\" + strSection;
}

std::string CSettingsStore::GetString(const std::string& strSection, const std::string& strName,
                                      const std::string& strDefault)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    std::unique_ptr<IRegistryKey> pKey = m_registry.OpenKey(m_hive, SectionPath(strSection));
    if (pKey == nullptr)
        return strDefault;
    char buffer[READ_BUFFER_SIZE] = {};
    size_t nRead = 0;
    uint32_t nType = 0;
    const bool bRead = pKey->QueryValue(strName, buffer, sizeof buffer, nRead, nType);
    pKey->Close();
    if (!bRead)
        return strDefault;
    // The stored type is ignored: the bytes are taken as text up to its NUL.
    return std::string(buffer, strnlen(buffer, nRead));
}

int32_t CSettingsStore::GetInt(const std::string& strSection, const std::string& strName,
                               int32_t nDefault)
{
    int32_t nValue = nDefault;
    const std::string strText = GetString(strSection, strName, std::string());
    return ParseLeadingInt(strText, nValue) ? nValue : nDefault;
}

bool CSettingsStore::SetString(const std::string& strSection, const std::string& strName,
                               const std::string& strText)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    EKeyDisposition disposition = EKeyDisposition::OpenedExistingKey;
    std::unique_ptr<IRegistryKey> pKey =
        m_registry.CreateKey(m_hive, SectionPath(strSection), disposition);
    if (pKey == nullptr)
        return false;
    const bool bWritten = pKey->SetStringValue(strName, strText);
    pKey->Close();
    return bWritten;
}

bool CSettingsStore::SetInt(const std::string& strSection, const std::string& strName,
                            int32_t nValue)
{
    return SetString(strSection, strName, std::to_string(nValue));
}

void CSettingsStore::ImportIni(IRegistryKey& baseKey, IFileSystem& fileSystem)
{
    const std::string strFile = fileSystem.GetWindowsFolder() + "\\" + APP_NAME + ".INI";
    std::string strContents;
    if (!fileSystem.ReadWholeFile(strFile, strContents))
        return;

    std::unique_ptr<IRegistryKey> pSection;
    for (const std::string& strPiece : SplitIniPieces(strContents))
    {
        std::string strLine = Trim(strPiece);
        if (IsSectionHeader(strLine))
        {
            pSection.reset();
            strLine[strLine.find('[')] = ' ';
            strLine[strLine.find(']')] = ' ';
            pSection = baseKey.CreateSubKey(Trim(strLine));
            if (pSection == nullptr)
                return;
        }
        else if (const size_t nEquals = strLine.find('='); nEquals != std::string::npos)
        {
            if (pSection != nullptr)
                pSection->SetStringValue(strLine.substr(0, nEquals), strLine.substr(nEquals + 1));
        }
    }
}
