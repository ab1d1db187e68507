#include "settings/CSettingsStore.h"

#include "settings/CIniPieceReader.h"

#include <cctype>
#include <climits>
#include <cstring>

namespace
{
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
    std::unique_ptr<IRegistryKey> pKey;
    if (!CheckUnreadable(hive))
        pKey = IsReadOnly() ? m_registry.OpenKey(hive, strPath)
                            : m_registry.CreateKey(hive, strPath, disposition);
    const bool bOpened = pKey != nullptr;
    if (!bOpened)
        CheckUnreadable(hive);
    if (pDisposition != nullptr)
        *pDisposition = disposition;
    if (ppKey != nullptr)
        *ppKey = std::move(pKey);
    return bOpened;
}

bool CSettingsStore::CheckUnreadable(ERegistryHive hive)
{
    bool& bUnreadable = m_abUnreadable[hive == ERegistryHive::LocalMachine ? 0 : 1];
    if (!bUnreadable && m_registry.IsHiveUnreadable(hive))
    {
        bUnreadable = true;
        if (m_strUnreadableHive.empty())
            m_strUnreadableHive = m_registry.HiveName(hive);
    }
    return bUnreadable;
}

bool CSettingsStore::IsUnreadable() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return !m_strUnreadableHive.empty();
}

std::string CSettingsStore::UnreadableHiveName() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_strUnreadableHive;
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

EStoredValue CSettingsStore::ReadString(const std::string& strSection, const std::string& strName,
                                        std::string& strText)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    strText.clear();
    std::unique_ptr<IRegistryKey> pKey = m_registry.OpenKey(m_hive, SectionPath(strSection));
    if (pKey == nullptr)
        return CheckUnreadable(m_hive) ? EStoredValue::Unreadable : EStoredValue::Absent;
    char buffer[READ_BUFFER_SIZE] = {};
    size_t nRead = 0;
    uint32_t nType = 0;
    const bool bRead = pKey->QueryValue(strName, buffer, sizeof buffer, nRead, nType);
    pKey->Close();
    if (!bRead && nRead > sizeof buffer)
        return EStoredValue::TooLong;
    if (!bRead)
        return CheckUnreadable(m_hive) ? EStoredValue::Unreadable : EStoredValue::Absent;
    // The stored type is ignored: the bytes are taken as text up to its NUL.
    strText.assign(buffer, strnlen(buffer, nRead));
    return EStoredValue::Found;
}

std::string CSettingsStore::GetString(const std::string& strSection, const std::string& strName,
                                      const std::string& strDefault)
{
    std::string strText;
    return ReadString(strSection, strName, strText) == EStoredValue::Found ? strText : strDefault;
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
    // Settings that could not be read are never replaced by what was read
    // instead.
    if (IsReadOnly() || CheckUnreadable(m_hive))
        return false;
    EKeyDisposition disposition = EKeyDisposition::OpenedExistingKey;
    std::unique_ptr<IRegistryKey> pKey =
        m_registry.CreateKey(m_hive, SectionPath(strSection), disposition);
    if (pKey == nullptr)
        return false;
    const bool bWritten = pKey->SetStringValue(strName, strText);
    pKey->Close();
    return bWritten;
}

bool CSettingsStore::SetStrings(const std::string& strSection,
                                const std::vector<std::pair<std::string, std::string>>& values)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (CheckUnreadable(m_hive))
        return false;
    SRegistryKeyValues key{SectionPath(strSection), {}};
    for (const auto& [strName, strText] : values)
        key.values.push_back(SRegistryValue{strName, REG_TYPE_SZ, strText + '\0'});
    return m_registry.WriteKeys(m_hive, {key});
}

bool CSettingsStore::SetInt(const std::string& strSection, const std::string& strName,
                            int32_t nValue)
{
    return SetString(strSection, strName, std::to_string(nValue));
}

bool CSettingsStore::ImportIni(IRegistryKey& baseKey, IFileSystem& fileSystem)
{
    const std::string strFile = fileSystem.GetWindowsFolder() + "\\" + APP_NAME + ".INI";
    const std::unique_ptr<IFileReader> pFile = fileSystem.OpenFileReader(strFile);
    if (pFile == nullptr)
        return true;

    CIniPieceReader reader(*pFile);
    std::unique_ptr<IRegistryKey> pSection;
    std::string strPiece;
    while (reader.Next(strPiece))
    {
        std::string strLine = Trim(strPiece);
        if (IsSectionHeader(strLine))
        {
            pSection.reset();
            strLine[strLine.find('[')] = ' ';
            strLine[strLine.find(']')] = ' ';
            pSection = baseKey.CreateSubKey(Trim(strLine));
            if (pSection == nullptr)
                return true;
        }
        else if (const size_t nEquals = strLine.find('='); nEquals != std::string::npos)
        {
            if (pSection != nullptr)
                pSection->SetStringValue(strLine.substr(0, nEquals), strLine.substr(nEquals + 1));
        }
    }
    return !reader.Failed();
}
