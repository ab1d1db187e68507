#include "shell/ResultsExport.h"

#include "search/CCandidateTable.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
SCandidateRow Row(std::string strPath, int32_t nReason, double dSize, bool bChecked = true)
{
    SCandidateRow row;
    row.strPath = std::move(strPath);
    row.nReason = nReason;
    row.dSize = dSize;
    row.bChecked = bChecked;
    return row;
}

std::string Export(EExportFormat format, const std::vector<SCandidateRow>& rows)
{
    CResultsExportWriter writer(format);
    std::string strOut;
    writer.Begin(strOut);
    for (const SCandidateRow& row : rows)
        writer.Row(row, strOut);
    writer.End(strOut);
    return strOut;
}

// An RFC 4180 reader, strict about what the writer must produce: CRLF after
// every record, quotes only around whole fields, doubled quotes inside.
std::vector<std::vector<std::string>> ReadCsv(const std::string& strText)
{
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    size_t n = 0;
    while (n < strText.size())
    {
        std::string& strField = records.back().back();
        if (strText[n] == '"' && strField.empty())
        {
            for (++n; n < strText.size(); ++n)
            {
                if (strText[n] == '"' && n + 1 < strText.size() && strText[n + 1] == '"')
                    strField.push_back(strText[++n]);
                else if (strText[n] == '"')
                    break;
                else
                    strField.push_back(strText[n]);
            }
            ++n;
        }
        else if (strText[n] == ',')
        {
            records.back().emplace_back();
            ++n;
        }
        else if (strText.compare(n, 2, "\r\n") == 0)
        {
            records.emplace_back(1);
            n += 2;
        }
        else
        {
            EXPECT_NE(strText[n], '"') << "a quote inside an unquoted field";
            EXPECT_NE(strText[n], '\n') << "a bare line feed ends no record";
            strField.push_back(strText[n++]);
        }
    }
    EXPECT_EQ(records.back(), std::vector<std::string>(1)) << "the last record ends with CRLF";
    records.pop_back();
    return records;
}

TEST(ResultsExportTest, CsvReadsBackFieldForFieldWhateverTheNames)
{
    const std::vector<SCandidateRow> rows = {
        Row("C:\\plain\\a.tmp", 1, 999),     Row("C:\\odd\\comma, \"quoted\".bak", 1, 1000, false),
        Row("C:\\odd\\line\r\nbreak", 2, 0), Row("C:\\big\\film.chk", 3, 5000000),
        Row("C:\\x\\\"", 4, 1001),
    };
    const auto records = ReadCsv(Export(EExportFormat::Csv, rows));
    ASSERT_EQ(records.size(), rows.size() + 1);
    EXPECT_EQ(records[0], (std::vector<std::string>{"Path", "Reason", "Size", "Checked"}));
    const std::vector<std::vector<std::string>> expected = {
        {"C:\\plain\\a.tmp", "Extension", "999", "true"},
        {"C:\\odd\\comma, \"quoted\".bak", "Extension", "1000", "false"},
        {"C:\\odd\\line\r\nbreak", "Zero Length", "0", "true"},
        {"C:\\big\\film.chk", "Directed", "5000000", "true"},
        {"C:\\x\\\"", "", "1001", "true"},
    };
    for (size_t n = 0; n < expected.size(); ++n)
        EXPECT_EQ(records[n + 1], expected[n]) << n;
}

TEST(ResultsExportTest, JsonEscapesAndKeepsTheTextValidUtf8)
{
    EXPECT_EQ(Export(EExportFormat::Json, {}), "[]\n");
    const std::vector<SCandidateRow> rows = {
        Row("C:\\a\\\"q\"\\b\tc\x01.tmp", 1, 1001),
        Row("C:\\caf\xC3\xA9\\\xFF\xC3.bak", 2, 0, false),
        Row("C:\\\xE2\x82\xAC\\\xED\xA0\x80", 3, 12.9),
    };
    EXPECT_EQ(Export(EExportFormat::Json, rows),
              "[\n"
              "{\"path\":\"C:\\\\a\\\\\\\"q\\\"\\\\b\\u0009c\\u0001.tmp\",\"reason\":"
              "\"Extension\",\"size\":1001,\"checked\":true},\n"
              "{\"path\":\"C:\\\\caf\xC3\xA9\\\\\xEF\xBF\xBD\xEF\xBF\xBD.bak\",\"reason\":"
              "\"Zero Length\",\"size\":0,\"checked\":false},\n"
              "{\"path\":\"C:\\\\\xE2\x82\xAC\\\\\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\","
              "\"reason\":\"Directed\",\"size\":13,\"checked\":true}\n"
              "]\n");
}

TEST(ResultsExportTest, FormatNamesIgnoreLetterCase)
{
    EExportFormat format = EExportFormat::Json;
    EXPECT_TRUE(ParseExportFormat("CSV", format));
    EXPECT_EQ(format, EExportFormat::Csv);
    EXPECT_TRUE(ParseExportFormat("json", format));
    EXPECT_EQ(format, EExportFormat::Json);
    EXPECT_FALSE(ParseExportFormat("text", format));
    EXPECT_FALSE(ParseExportFormat("", format));
}
} // namespace
