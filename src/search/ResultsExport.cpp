#include "search/ResultsExport.h"

#include "search/CCandidateTable.h"
#include "settings/TextFolding.h"

#include <cstdio>

namespace
{
void AppendCsvField(std::string_view strField, std::string& strOut)
{
    if (strField.find_first_of(",\"\r\n") == std::string_view::npos)
    {
        strOut.append(strField);
        return;
    }
    strOut.push_back('"');
    for (char c : strField)
    {
        if (c == '"')
            strOut.push_back('"');
        strOut.push_back(c);
    }
    strOut.push_back('"');
}

// Length of the well-formed UTF-8 sequence at the start of strText, or 0.
size_t Utf8SequenceLength(std::string_view strText)
{
    const auto byte = [&](size_t n) { return static_cast<unsigned char>(strText[n]); };
    const unsigned char lead = byte(0);
    size_t nLength = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        nLength = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        nLength = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        nLength = 4;
    else
        return 0;
    if (strText.size() < nLength)
        return 0;
    for (size_t n = 1; n < nLength; ++n)
        if ((byte(n) & 0xC0) != 0x80)
            return 0;
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F) ||
        (lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) > 0x8F))
        return 0;
    return nLength;
}

bool IsValidUtf8(std::string_view strText)
{
    while (!strText.empty())
    {
        const size_t nLength = Utf8SequenceLength(strText);
        if (nLength == 0)
            return false;
        strText.remove_prefix(nLength);
    }
    return true;
}

// A well-formed sequence that a reader of lines may take for a control or a
// line end: the C1 controls, U+2028 and U+2029.
bool IsControlSequence(std::string_view strSequence)
{
    const auto byte = [&](size_t n) { return static_cast<unsigned char>(strSequence[n]); };
    if (strSequence.size() == 2)
        return byte(0) == 0xC2 && byte(1) < 0xA0;
    return strSequence.size() == 3 && byte(0) == 0xE2 && byte(1) == 0x80 &&
           (byte(2) == 0xA8 || byte(2) == 0xA9);
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

void AppendHexEscape(unsigned char c, std::string& strOut)
{
    static constexpr char DIGITS[] = "0123456789ABCDEF";
    strOut.append("\\x");
    strOut.push_back(DIGITS[c >> 4]);
    strOut.push_back(DIGITS[c & 0x0F]);
}

void AppendJsonString(std::string_view strText, std::string& strOut)
{
    strOut.push_back('"');
    while (!strText.empty())
    {
        const size_t nLength = Utf8SequenceLength(strText);
        if (nLength == 0)
        {
            strOut.append("\xEF\xBF\xBD");
            strText.remove_prefix(1);
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(strText[0]);
        if (c == '"' || c == '\\')
        {
            strOut.push_back('\\');
            strOut.push_back(static_cast<char>(c));
        }
        else if (c < 0x20)
        {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            strOut.append(escape);
        }
        else
            strOut.append(strText.substr(0, nLength));
        strText.remove_prefix(nLength);
    }
    strOut.push_back('"');
}

std::string SizeInBytes(double dSize)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", dSize < 0 ? 0.0 : dSize);
    return text;
}
} // namespace

bool ParseExportFormat(std::string_view strName, EExportFormat& format)
{
    if (EqualsIgnoreCaseAscii(strName, "csv"))
        format = EExportFormat::Csv;
    else if (EqualsIgnoreCaseAscii(strName, "json"))
        format = EExportFormat::Json;
    else
        return false;
    return true;
}

EExportFormat ChooseExportFormat(std::string_view strFile, EExportFormat chosenFilter)
{
    const size_t nName = strFile.find_last_of("\\/");
    const std::string_view strName =
        nName == std::string_view::npos ? strFile : strFile.substr(nName + 1);
    const size_t nDot = strName.find_last_of('.');
    EExportFormat bySuffix = chosenFilter;
    if (nDot != std::string_view::npos && ParseExportFormat(strName.substr(nDot + 1), bySuffix))
        return bySuffix;
    return chosenFilter;
}

void CResultsExportWriter::Begin(std::string& strOut)
{
    m_bFirstRow = true;
    if (m_format == EExportFormat::Csv)
        strOut.append("Path,Reason,Size,Checked,Modified\r\n");
    else
        strOut.append("[");
}

void AppendTextField(std::string_view strText, std::string& strOut)
{
    while (!strText.empty())
    {
        const size_t nLength = Utf8SequenceLength(strText);
        const unsigned char c = static_cast<unsigned char>(strText[0]);
        if (nLength == 0 || c < 0x20 || c == 0x7F || IsControlSequence(strText.substr(0, nLength)))
        {
            // Byte by byte: a reader puts the bytes back one escape at a time.
            const size_t nBytes = nLength == 0 ? 1 : nLength;
            for (size_t n = 0; n < nBytes; ++n)
                AppendHexEscape(static_cast<unsigned char>(strText[n]), strOut);
            strText.remove_prefix(nBytes);
            continue;
        }
        if (c == '\\' && strText.size() >= 4 && strText[1] == 'x' && IsHexDigit(strText[2]) &&
            IsHexDigit(strText[3]))
            AppendHexEscape(c, strOut);
        else
            strOut.append(strText.substr(0, nLength));
        strText.remove_prefix(nLength);
    }
}

const char* DeletionWord(EDeletionKind kind)
{
    return kind == EDeletionKind::IndexFile ? "Index File" : "URL Cache Entry";
}

void CResultsExportWriter::BeginJsonRecord(std::string_view strPath, std::string& strOut)
{
    strOut.append(m_bFirstRow ? "\n" : ",\n");
    m_bFirstRow = false;
    strOut.append("{\"path\":");
    AppendJsonString(strPath, strOut);
    if (IsValidUtf8(strPath))
        return;
    static constexpr char DIGITS[] = "0123456789abcdef";
    strOut.append(",\"path_bytes\":\"");
    for (const char c : strPath)
    {
        strOut.push_back(DIGITS[static_cast<unsigned char>(c) >> 4]);
        strOut.push_back(DIGITS[static_cast<unsigned char>(c) & 0x0F]);
    }
    strOut.push_back('"');
}

void CResultsExportWriter::Deletion(const SListedDeletion& deletion, std::string& strOut)
{
    const char* pWord = DeletionWord(deletion.kind);
    if (m_format == EExportFormat::Csv)
    {
        AppendCsvField(deletion.strItem, strOut);
        strOut.push_back(',');
        AppendCsvField(pWord, strOut);
        strOut.append(",,,\r\n");
        return;
    }
    BeginJsonRecord(deletion.strItem, strOut);
    strOut.append(",\"reason\":");
    AppendJsonString(pWord, strOut);
    strOut.append(",\"search_deletes\":true}");
}

void CResultsExportWriter::Row(const SCandidateRow& row, std::string& strOut)
{
    const char* pReason = CCandidateTable::ReasonWord(row.nReason);
    if (m_format == EExportFormat::Csv)
    {
        AppendCsvField(row.strPath, strOut);
        strOut.push_back(',');
        AppendCsvField(pReason, strOut);
        strOut.append(",").append(SizeInBytes(row.dSize)).append(",");
        strOut.append(row.bChecked ? "true" : "false").append(",");
        strOut.append(CCandidateTable::ModifiedText(row.nModified)).append("\r\n");
        return;
    }
    BeginJsonRecord(row.strPath, strOut);
    strOut.append(",\"reason\":");
    AppendJsonString(pReason, strOut);
    strOut.append(",\"size\":").append(SizeInBytes(row.dSize));
    strOut.append(",\"checked\":").append(row.bChecked ? "true" : "false");
    const std::string strModified = CCandidateTable::ModifiedText(row.nModified);
    strOut.append(",\"modified\":");
    if (strModified.empty())
        strOut.append("null");
    else
        AppendJsonString(strModified, strOut);
    strOut.append("}");
}

void CResultsExportWriter::End(std::string& strOut)
{
    if (m_format == EExportFormat::Json)
        strOut.append(m_bFirstRow ? "]\n" : "\n]\n");
}
