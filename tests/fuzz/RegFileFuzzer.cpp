// The .reg reader of scrubix-reg on hostile text: it never crashes, a refusal
// names a line, and whatever it reads is written back by the export so that
// importing that gives the same keys and values (and exporting those again
// gives the same text). Keys built from raw bytes round-trip as well, value
// names with line breaks included; key names are ones the tool can store.

#include "FuzzSupport.h"
#include "RegFile.h"

#include <string>
#include <vector>

namespace
{
bool SameKeys(const std::vector<SRegFileKey>& a, const std::vector<SRegFileKey>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (a[i].hive != b[i].hive || a[i].strPath != b[i].strPath ||
            a[i].values.size() != b[i].values.size())
            return false;
        for (size_t j = 0; j < a[i].values.size(); ++j)
        {
            const SRegistryValue& x = a[i].values[j];
            const SRegistryValue& y = b[i].values[j];
            if (x.strName != y.strName || x.nType != y.nType || x.strData != y.strData)
                return false;
        }
    }
    return true;
}

void CheckRoundTrip(const std::vector<SRegFileKey>& keys, const char* pWhat)
{
    const std::string strExported = FormatRegFile(keys);
    std::vector<SRegFileKey> again;
    std::string strError;
    FuzzCheck(ParseRegFile(strExported, again, strError), pWhat);
    FuzzCheck(SameKeys(keys, again), pWhat);
    FuzzCheck(FormatRegFile(again) == strExported, "exporting is stable");
}

// Takes a length byte and that many bytes (fewer at the end of the input).
std::string TakeText(std::string_view& strInput)
{
    if (strInput.empty())
        return {};
    const size_t nLength =
        std::min<size_t>(static_cast<unsigned char>(strInput[0]) % 64, strInput.size() - 1);
    std::string strText(strInput.substr(1, nLength));
    strInput.remove_prefix(1 + nLength);
    return strText;
}

// A key path the tool stores and exports: components without line breaks,
// joined by single backslashes, none empty.
bool IsStorablePath(const std::string& strPath)
{
    if (strPath.find_first_of("\r\n") != std::string::npos || strPath.empty() ||
        strPath.front() == '\\' || strPath.back() == '\\' ||
        strPath.find("\\\\") != std::string::npos)
        return false;
    return true;
}

// Keys and values made straight from the input bytes, as an export from the
// registry would meet them.
std::vector<SRegFileKey> KeysFromBytes(std::string_view strInput)
{
    std::vector<SRegFileKey> keys;
    while (!strInput.empty() && keys.size() < 8)
    {
        SRegFileKey key;
        key.hive =
            (strInput[0] & 1) != 0 ? ERegistryHive::CurrentUser : ERegistryHive::LocalMachine;
        const size_t nValues = static_cast<unsigned char>(strInput[0]) >> 5;
        strInput.remove_prefix(1);
        key.strPath = TakeText(strInput);
        if (!IsStorablePath(key.strPath))
            key.strPath = "Software";
        for (size_t i = 0; i < nValues && !strInput.empty(); ++i)
        {
            SRegistryValue value;
            const unsigned char cType = static_cast<unsigned char>(strInput[0]);
            strInput.remove_prefix(1);
            value.nType = cType < 0xf0 ? cType % 12 : 0x10000u * cType;
            value.strName = TakeText(strInput); // line breaks included
            value.strData = TakeText(strInput);
            key.values.push_back(value);
        }
        keys.push_back(key);
    }
    return keys;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string_view strText = FuzzText(pData, nSize);

    std::vector<SRegFileKey> keys;
    std::string strError;
    if (ParseRegFile(std::string(strText), keys, strError))
        CheckRoundTrip(keys, "what was read is read again the same after an export");
    else
        FuzzCheck(strError.rfind("line ", 0) == 0, "a refusal names its line");

    CheckRoundTrip(KeysFromBytes(strText), "exported values are read back the same");
    return 0;
}
