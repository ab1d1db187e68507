#include "disposal/MoveRecord.h"

#include "platform/IRegistry.h"

#include <charconv>
#include <cstdio>

namespace
{
constexpr const char* HEADER = "Scrubix last pass 1";
constexpr const char* END = "End";
constexpr size_t FILE_FIELDS = 8;

std::string Escape(const std::string& strText)
{
    std::string strEscaped;
    strEscaped.reserve(strText.size());
    for (const char c : strText)
    {
        if (c == '%' || c == '\t' || c == '\r' || c == '\n')
        {
            char szHex[4];
            std::snprintf(szHex, sizeof szHex, "%%%02X", static_cast<unsigned char>(c));
            strEscaped += szHex;
        }
        else
        {
            strEscaped += c;
        }
    }
    return strEscaped;
}

bool Unescape(const std::string& strText, std::string& strOut)
{
    strOut.clear();
    for (size_t i = 0; i < strText.size(); ++i)
    {
        if (strText[i] != '%')
        {
            strOut += strText[i];
            continue;
        }
        unsigned int nByte = 0;
        if (i + 2 >= strText.size())
            return false;
        const auto result =
            std::from_chars(strText.data() + i + 1, strText.data() + i + 3, nByte, 16);
        if (result.ec != std::errc() || result.ptr != strText.data() + i + 3)
            return false;
        strOut += static_cast<char>(nByte);
        i += 2;
    }
    return true;
}

template <typename T> bool ParseNumber(const std::string& strText, T& nValue)
{
    const auto result = std::from_chars(strText.data(), strText.data() + strText.size(), nValue);
    return result.ec == std::errc() && result.ptr == strText.data() + strText.size();
}

std::vector<std::string> SplitTabs(const std::string& strLine)
{
    std::vector<std::string> fields;
    size_t nStart = 0;
    for (;;)
    {
        const size_t nTab = strLine.find('\t', nStart);
        fields.push_back(strLine.substr(nStart, nTab - nStart));
        if (nTab == std::string::npos)
            return fields;
        nStart = nTab + 1;
    }
}

bool ParseFileLine(const std::string& strLine, SMovedFile& file)
{
    const std::vector<std::string> fields = SplitTabs(strLine);
    if (fields.size() != FILE_FIELDS || (fields[0] != "T" && fields[0] != "F"))
        return false;
    file.bTrash = fields[0] == "T";
    SFileIdentity& identity = file.identity;
    if (!Unescape(fields[1], file.strOriginal) || !Unescape(fields[2], file.strNew) ||
        !ParseNumber(fields[3], identity.nVolume) || !ParseNumber(fields[4], identity.nIndex) ||
        !ParseNumber(fields[5], identity.nBirthTime) || !ParseNumber(fields[6], identity.nSize) ||
        !ParseNumber(fields[7], identity.nWriteTime) || file.strOriginal.empty())
        return false;
    identity.bKnown = true;
    identity.bStateKnown = true;
    return true;
}
} // namespace

SFileIdentity RecordedIdentity(const SFileIdentity& identity)
{
    SFileIdentity recorded = identity;
    recorded.nChangeTime = 0;
    return recorded;
}

std::string FormatMoveRecord(const SMoveRecord& record)
{
    std::string strText = std::string(HEADER) + "\n";
    strText += record.kind == ELastPass::Purge  ? "Purge\n"
               : record.kind == ELastPass::Move ? "Move\n"
                                                : "None\n";
    for (const SMovedFile& file : record.files)
    {
        const SFileIdentity& identity = file.identity;
        strText += std::string(file.bTrash ? "T" : "F") + "\t" + Escape(file.strOriginal) + "\t" +
                   Escape(file.strNew) + "\t" + std::to_string(identity.nVolume) + "\t" +
                   std::to_string(identity.nIndex) + "\t" + std::to_string(identity.nBirthTime) +
                   "\t" + std::to_string(identity.nSize) + "\t" +
                   std::to_string(identity.nWriteTime) + "\n";
    }
    return strText + END + "\n";
}

bool ParseMoveRecord(const std::string& strText, SMoveRecord& record)
{
    std::vector<std::string> lines;
    size_t nStart = 0;
    while (nStart < strText.size())
    {
        const size_t nEnd = strText.find('\n', nStart);
        if (nEnd == std::string::npos)
            return false; // every line ends: one without an end was cut short
        lines.push_back(strText.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    if (lines.size() < 3 || lines.front() != HEADER || lines.back() != END)
        return false;
    SMoveRecord parsed;
    if (lines[1] == "Purge")
        parsed.kind = ELastPass::Purge;
    else if (lines[1] == "Move")
        parsed.kind = ELastPass::Move;
    else if (lines[1] != "None")
        return false;
    for (size_t i = 2; i + 1 < lines.size(); ++i)
    {
        SMovedFile file;
        if (!ParseFileLine(lines[i], file))
            return false;
        parsed.files.push_back(std::move(file));
    }
    if (parsed.kind != ELastPass::Move && !parsed.files.empty())
        return false;
    record = std::move(parsed);
    return true;
}

SMoveRecord LoadMoveRecord(IRegistry& registry)
{
    std::string strText;
    SMoveRecord record;
    if (!registry.ReadRecord(MOVE_RECORD_NAME, strText) || !ParseMoveRecord(strText, record))
        return SMoveRecord{};
    if (record.kind == ELastPass::Move && record.files.empty())
        record.kind = ELastPass::None;
    return record;
}

bool SaveMoveRecord(IRegistry& registry, const SMoveRecord& record)
{
    if (record.kind == ELastPass::None || (record.kind == ELastPass::Move && record.files.empty()))
        return registry.RemoveRecord(MOVE_RECORD_NAME);
    return registry.ReplaceRecord(MOVE_RECORD_NAME, FormatMoveRecord(record));
}
