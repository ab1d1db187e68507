#pragma once

#include "SearchTestSupport.h"
#include "search/CMessageQueue.h"
#include "search/CandidateRules.h"

#include <string>
#include <vector>

struct SFileCase
{
    const char* pName;
    size_t nLength;
    int32_t nReasonZeroOff;
    int32_t nReasonZeroOn;
};

// Extensions are whole extensions, not suffixes; the Zero test only applies
// when the extension test failed; the protected names never pass.
inline const std::vector<SFileCase> FILE_CASES = {
    {"Report.TMP", 3, REASON_EXTENSION, REASON_EXTENSION},
    {"report.tmp", 3, REASON_EXTENSION, REASON_EXTENSION},
    {"report.tmp.txt", 3, REASON_NONE, REASON_NONE},
    {".tmp", 3, REASON_EXTENSION, REASON_EXTENSION},
    {"x~", 3, REASON_NONE, REASON_NONE},
    {"x", 3, REASON_NONE, REASON_NONE},
    {"x.", 0, REASON_NONE, REASON_ZERO_LENGTH},
    {"y.", 3, REASON_NONE, REASON_NONE},
    {"x.~", 3, REASON_EXTENSION, REASON_EXTENSION},
    {"x.~~", 3, REASON_EXTENSION, REASON_EXTENSION},
    {"x.~~~~", 3, REASON_NONE, REASON_NONE},
    {"notes", 0, REASON_NONE, REASON_ZERO_LENGTH},
    {"old.BAK", 0, REASON_EXTENSION, REASON_EXTENSION},
    {"x.log", 0, REASON_EXTENSION, REASON_EXTENSION},
    {"desktop.ini", 0, REASON_NONE, REASON_NONE},
    {"Desktop.INI", 3, REASON_NONE, REASON_NONE},
    {"index.dat", 0, REASON_NONE, REASON_NONE},
    {"INDEX.DAT.tmp", 3, REASON_EXTENSION, REASON_EXTENSION},
    {"install.log", 3, REASON_NONE, REASON_NONE}, // excluded by the fixture
};

// Windows drops a trailing dot from a file name, so such a name exists only
// on POSIX drives.
inline bool EndsWithDot(const SFileCase& fileCase)
{
    const std::string strName = fileCase.pName;
    return !strName.empty() && strName.back() == '.';
}

// The rules for each name alone, and the same names as real files found by
// the walk; parameter: Zero off or on.
class CandidateRulesTest : public CSearchTest, public ::testing::WithParamInterface<int32_t>
{
protected:
    CandidateRulesTest()
    {
        m_doc.Zero = GetParam();
        m_doc.Lists[LIST_EXCLUDE] = {"install.log"};
    }

    int32_t Expected(const SFileCase& fileCase) const
    {
        return m_doc.Zero ? fileCase.nReasonZeroOn : fileCase.nReasonZeroOff;
    }

    // Each case gets a folder of its own, so that names differing only in
    // letter case stay apart on a drive that does not tell them apart.
    static std::string PathOf(size_t nCase, const SFileCase& fileCase)
    {
        return "C:\\case" + std::to_string(nCase) + "\\" + fileCase.pName;
    }

    void ExpectWalkClassifies(bool (*pSelect)(const SFileCase&))
    {
        for (size_t i = 0; i < FILE_CASES.size(); ++i)
            if (pSelect(FILE_CASES[i]))
                m_sandbox.MakeFile(PathOf(i, FILE_CASES[i]),
                                   std::string(FILE_CASES[i].nLength, 'z'));
        RunSearch();
        const auto listed = Listed();
        for (size_t i = 0; i < FILE_CASES.size(); ++i)
        {
            if (!pSelect(FILE_CASES[i]))
                continue;
            const auto it = listed.find(PathOf(i, FILE_CASES[i]));
            EXPECT_EQ(it == listed.end() ? REASON_NONE : it->second, Expected(FILE_CASES[i]))
                << PathOf(i, FILE_CASES[i]);
        }
        for (const SCandidateRow& row : m_rows)
        {
            for (size_t i = 0; i < FILE_CASES.size(); ++i)
            {
                if (row.strPath == PathOf(i, FILE_CASES[i]))
                {
                    EXPECT_EQ(row.dSize, static_cast<double>(FILE_CASES[i].nLength)) << row.strPath;
                }
            }
        }
    }
};
