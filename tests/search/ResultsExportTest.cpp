#include "search/ResultsExport.h"

#include "search/CCandidateTable.h"
#include "support/ExportReaders.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
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
    EXPECT_EQ(records[0],
              (std::vector<std::string>{"Path", "Reason", "Size", "Checked", "Modified"}));
    const std::vector<std::vector<std::string>> expected = {
        {"C:\\plain\\a.tmp", "Extension", "999", "true", ""},
        {"C:\\odd\\comma, \"quoted\".bak", "Extension", "1000", "false", ""},
        {"C:\\odd\\line\r\nbreak", "Zero Length", "0", "true", ""},
        {"C:\\big\\film.chk", "Directed", "5000000", "true", ""},
        {"C:\\x\\\"", "", "1001", "true", ""},
    };
    for (size_t n = 0; n < expected.size(); ++n)
        EXPECT_EQ(records[n + 1], expected[n]) << n;
}

TEST(ResultsExportTest, JsonEscapesKeepsTheTextValidUtf8AndGivesTheBytesOfOtherPaths)
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
              "\"Extension\",\"size\":1001,\"checked\":true,\"modified\":null},\n"
              "{\"path\":\"C:\\\\caf\xC3\xA9\\\\\xEF\xBF\xBD\xEF\xBF\xBD.bak\","
              "\"path_bytes\":\"433a5c636166c3a95cffc32e62616b\",\"reason\":"
              "\"Zero Length\",\"size\":0,\"checked\":false,\"modified\":null},\n"
              "{\"path\":\"C:\\\\\xE2\x82\xAC\\\\\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\","
              "\"path_bytes\":\"433a5ce282ac5ceda080\","
              "\"reason\":\"Directed\",\"size\":13,\"checked\":true,\"modified\":null}\n"
              "]\n");
}

// Names that would forge columns or rows, or would read as one another.
const std::vector<std::string> ODD_PATHS = {
    "C:\\odd\\tab\there.tmp",
    "C:\\odd\\new\nline.tmp",
    "C:\\odd\\carriage\rreturn.tmp",
    "C:\\odd\\crlf\r\n.tmp",
    "C:\\odd\\bad\xff.tmp",
    "C:\\odd\\bad\xef\xbf\xbd.tmp", // U+FFFD itself
    "C:\\odd\\bad\\xFF.tmp",        // what an escape looks like
    "C:\\odd\\bad\\x5C.tmp",
    "C:\\odd\\bad\\x5Cxff.tmp",
    "C:\\odd\\del\x7f.tmp",
    "C:\\odd\\nel\xc2\x85.tmp",    // U+0085, a line end to some readers
    "C:\\odd\\ls\xe2\x80\xa8.tmp", // U+2028
    "C:\\odd\\caf\xc3\xa9 x.tmp",
    "C:\\odd\\trail\\x4",
    "C:\\odd\\trail\\x",
    "C:\\odd\\trail\\",
    "C:\\odd\\lone\xc3",
};

TEST(ResultsExportTest, TextFieldsStayOneFieldAndReadBackExactly)
{
    std::set<std::string> fields;
    for (const std::string& strPath : ODD_PATHS)
    {
        std::string strField;
        AppendTextField(strPath, strField);
        EXPECT_EQ(strField.find_first_of("\t\r\n"), std::string::npos) << strField;
        for (const char c : strField)
            EXPECT_GE(static_cast<unsigned char>(c), 0x20) << strField;
        EXPECT_EQ(ReadTextField(strField), strPath) << strField;
        fields.insert(strField);
    }
    EXPECT_EQ(fields.size(), ODD_PATHS.size());

    // Ordinary paths, backslashes and all, are written as they are.
    for (const char* pPath : {"C:\\dir\\file.tmp", "C:\\x\\xy\\x4g\\caf\xc3\xa9\\\xe2\x82\xac",
                              "C:\\Temporary Internet Files\\page[1].htm"})
    {
        std::string strField;
        AppendTextField(pPath, strField);
        EXPECT_EQ(strField, pPath);
    }
    std::string strField;
    AppendTextField("C:\\a\tb\\x41\xff", strField);
    EXPECT_EQ(strField, "C:\\a\\x09b\\x5Cx41\\xFF");
}

TEST(ResultsExportTest, JsonRecordsReadBackToExactlyOnePathEach)
{
    std::vector<SCandidateRow> rows;
    for (const std::string& strPath : ODD_PATHS)
        rows.push_back(Row(strPath, 1, 5));
    std::vector<std::map<std::string, std::string>> records;
    ASSERT_TRUE(ReadJsonRecords(Export(EExportFormat::Json, rows), records));
    ASSERT_EQ(records.size(), ODD_PATHS.size());
    std::set<std::string> paths;
    for (size_t n = 0; n < records.size(); ++n)
    {
        EXPECT_EQ(ExactJsonPath(records[n]), ODD_PATHS[n]) << n;
        paths.insert(ExactJsonPath(records[n]));
    }
    EXPECT_EQ(paths.size(), ODD_PATHS.size());
    // Only a path that is not UTF-8 carries its bytes.
    EXPECT_EQ(records[4].count("path_bytes"), 1u);
    EXPECT_EQ(records[5].count("path_bytes"), 0u);
    EXPECT_EQ(records[4]["path"], records[5]["path"]);
}

TEST(ResultsExportTest, TheModificationTimeIsTheListsText)
{
    SCandidateRow dated = Row("C:\\a.tmp", 1, 5);
    dated.nModified = 1800000000;
    const std::string strText = CCandidateTable::ModifiedText(dated.nModified);
    ASSERT_EQ(strText.size(), 16u) << strText;
    const std::vector<SCandidateRow> rows = {dated, Row("C:\\b.tmp", 1, 5)};

    const auto csv = ReadCsv(Export(EExportFormat::Csv, rows));
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[1], (std::vector<std::string>{"C:\\a.tmp", "Extension", "5", "true", strText}));
    EXPECT_EQ(csv[2], (std::vector<std::string>{"C:\\b.tmp", "Extension", "5", "true", ""}));

    EXPECT_EQ(Export(EExportFormat::Json, rows),
              "[\n{\"path\":\"C:\\\\a.tmp\",\"reason\":\"Extension\",\"size\":5,\"checked\":true,"
              "\"modified\":\"" +
                  strText +
                  "\"},\n{\"path\":\"C:\\\\b.tmp\",\"reason\":\"Extension\",\"size\":5,"
                  "\"checked\":true,\"modified\":null}\n]\n");
}

TEST(ResultsExportTest, DeletionsAreRecordsOfTheirOwn)
{
    const SListedDeletion index{EDeletionKind::IndexFile,
                                "C:\\Temporary Internet Files\\index.dat"};
    const SListedDeletion entry{EDeletionKind::UrlCacheEntry, "http://x/a,b\xff"};

    CResultsExportWriter csv(EExportFormat::Csv);
    std::string strCsv;
    csv.Begin(strCsv);
    csv.Row(Row("C:\\a.tmp", 1, 5), strCsv);
    csv.Deletion(index, strCsv);
    csv.Deletion(entry, strCsv);
    csv.End(strCsv);
    const auto csvRecords = ReadCsv(strCsv);
    ASSERT_EQ(csvRecords.size(), 4u);
    EXPECT_EQ(csvRecords[2], (std::vector<std::string>{index.strItem, "Index File", "", "", ""}));
    EXPECT_EQ(csvRecords[3],
              (std::vector<std::string>{entry.strItem, "URL Cache Entry", "", "", ""}));

    CResultsExportWriter json(EExportFormat::Json);
    std::string strJson;
    json.Begin(strJson);
    json.Deletion(index, strJson);
    json.Row(Row("C:\\a.tmp", 1, 5), strJson);
    json.Deletion(entry, strJson);
    json.End(strJson);
    std::vector<std::map<std::string, std::string>> records;
    ASSERT_TRUE(ReadJsonRecords(strJson, records)) << strJson;
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0],
              (std::map<std::string, std::string>{
                  {"path", index.strItem}, {"reason", "Index File"}, {"search_deletes", "true"}}));
    EXPECT_EQ(records[1].count("search_deletes"), 0u);
    EXPECT_EQ(records[2]["reason"], "URL Cache Entry");
    EXPECT_EQ(ExactJsonPath(records[2]), entry.strItem);
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

TEST(ResultsExportTest, ASavedFileNamesItsFormByItsSuffixElseByTheFilter)
{
    struct SCase
    {
        const char* pszFile;
        EExportFormat filter;
        EExportFormat expected;
    };
    const SCase cases[] = {
        {"C:\\out\\rows.json", EExportFormat::Csv, EExportFormat::Json},
        {"/home/me/rows.JSON", EExportFormat::Csv, EExportFormat::Json},
        {"C:\\out\\rows.csv", EExportFormat::Json, EExportFormat::Csv},
        {"C:\\out\\rows", EExportFormat::Json, EExportFormat::Json},
        {"C:\\out\\rows.txt", EExportFormat::Csv, EExportFormat::Csv},
        {"C:\\out.json\\rows", EExportFormat::Csv, EExportFormat::Csv},
        {"rows.json.", EExportFormat::Csv, EExportFormat::Csv},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(ChooseExportFormat(c.pszFile, c.filter), c.expected) << c.pszFile;
}
} // namespace
