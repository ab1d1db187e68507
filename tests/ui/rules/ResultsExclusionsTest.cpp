// The results list's exclusions: the entry each row gives, the pages' checks
// before it is stored, and the rows the next search leaves out because of it.
#include "ui/rules/ResultsExclusions.h"

#include "ShellTestFixture.h"
#include "settings/CScrubixDoc.h"

#include <vector>

namespace
{
class CAnsweringBox : public IMessageBox
{
public:
    bool Show(const SPrompt& prompt) override
    {
        m_shown.push_back(prompt.strText);
        return m_bAnswer;
    }
    bool m_bAnswer = true;
    std::vector<std::string> m_shown;
};
} // namespace

class ResultsExclusionsTest : public ShellTest
{
protected:
    CScrubixDoc m_doc{m_store, m_fileSystem};
    CAnsweringBox m_box;
};

TEST(ResultsExclusionsEntryTest, EachRowGivesItsEntry)
{
    EXPECT_EQ(ExclusionEntry(EExclusion::FileName, "C:\\dir\\a.tmp"), "a.tmp");
    EXPECT_EQ(ExclusionEntry(EExclusion::Extension, "C:\\dir\\a.b.TMP"), "*.TMP");
    EXPECT_EQ(ExclusionEntry(EExclusion::Extension, "C:\\dir\\README"), std::nullopt);
    EXPECT_EQ(ExclusionEntry(EExclusion::Extension, "C:\\dir\\ends."), std::nullopt);
    EXPECT_EQ(ExclusionEntry(EExclusion::Folder, "C:\\dir\\sub\\a.tmp"), "C:\\dir\\sub");
    EXPECT_EQ(ExclusionEntry(EExclusion::Folder, "C:\\a.tmp"), "C:");
    EXPECT_EQ(ContainingFolder("C:\\dir\\a.tmp"), "C:\\dir");
    EXPECT_EQ(ContainingFolder("C:\\a.tmp"), "C:\\");
    EXPECT_EQ(ExclusionListKind(EExclusion::FileName), LIST_EXCLUDE);
    EXPECT_EQ(ExclusionListKind(EExclusion::Folder), LIST_FILTER);
}

// Stored as the pages store their lists: in the document and in the store,
// read back by a fresh document; once only.
TEST_F(ResultsExclusionsTest, AnAcceptedEntryIsStoredOnce)
{
    m_sandbox.MakeFolder("C:\\Projects\\old");
    m_doc.LoadSettings();
    const size_t nExcludes = m_doc.Lists[LIST_EXCLUDE].size();
    ASSERT_TRUE(AddExclusion(EExclusion::FileName, "build.log", m_doc, m_box));
    ASSERT_TRUE(AddExclusion(EExclusion::Extension, "*.chk", m_doc, m_box));
    ASSERT_TRUE(AddExclusion(EExclusion::FileName, "build.log", m_doc, m_box));
    ASSERT_TRUE(AddExclusion(EExclusion::Folder, "C:\\Projects\\old", m_doc, m_box));
    EXPECT_TRUE(m_box.m_shown.empty());
    EXPECT_EQ(m_doc.Lists[LIST_EXCLUDE].size(), nExcludes + 2);

    CScrubixDoc reread(m_store, m_fileSystem);
    reread.LoadSettings();
    const auto& excludes = reread.Lists[LIST_EXCLUDE];
    EXPECT_EQ(std::count(excludes.begin(), excludes.end(), "build.log"), 1);
    EXPECT_EQ(std::count(excludes.begin(), excludes.end(), "*.chk"), 1);
    const auto& filters = reread.Lists[LIST_FILTER];
    EXPECT_EQ(std::count(filters.begin(), filters.end(), "C:\\Projects\\old"), 1);
}

// The pages' refusals: a drive root or a folder that is gone for Filters, a
// name the store could not read back, a question mark in an Excludes entry.
TEST_F(ResultsExclusionsTest, RefusedEntriesAreShownAndNotStored)
{
    const auto filters = m_doc.Lists[LIST_FILTER];
    const auto excludes = m_doc.Lists[LIST_EXCLUDE];
    EXPECT_FALSE(AddExclusion(EExclusion::Folder, "C:", m_doc, m_box));
    EXPECT_FALSE(AddExclusion(EExclusion::Folder, "C:\\gone", m_doc, m_box));
    EXPECT_FALSE(AddExclusion(EExclusion::FileName, "what?.tmp", m_doc, m_box));
    EXPECT_FALSE(AddExclusion(EExclusion::FileName, std::string(300, 'n'), m_doc, m_box));
    EXPECT_EQ(m_box.m_shown.size(), 4u);
    EXPECT_EQ(m_doc.Lists[LIST_FILTER], filters);
    EXPECT_EQ(m_doc.Lists[LIST_EXCLUDE], excludes);
}

TEST_F(ResultsExclusionsTest, MatchesTheRowsTheSearchWouldLeaveOut)
{
    m_doc.ExcludeCase = 1;
    EXPECT_TRUE(ExclusionMatches(EExclusion::FileName, "a.tmp", "C:\\x\\A.TMP", m_doc));
    EXPECT_FALSE(ExclusionMatches(EExclusion::FileName, "a.tmp", "C:\\x\\ba.tmp", m_doc));
    EXPECT_TRUE(ExclusionMatches(EExclusion::Extension, "*.tmp", "C:\\x\\b.TMP", m_doc));
    EXPECT_FALSE(ExclusionMatches(EExclusion::Extension, "*.tmp", "C:\\x\\b.tmp.bak", m_doc));
    m_doc.ExcludeCase = 0;
    EXPECT_FALSE(ExclusionMatches(EExclusion::FileName, "a.tmp", "C:\\x\\A.TMP", m_doc));
    EXPECT_FALSE(ExclusionMatches(EExclusion::Extension, "*.tmp", "C:\\x\\b.TMP", m_doc));
    // Folders: the folder and everything under it, letter case aside; not
    // a folder that merely starts with the same letters.
    EXPECT_TRUE(ExclusionMatches(EExclusion::Folder, "C:\\Old", "C:\\old\\a.tmp", m_doc));
    EXPECT_TRUE(ExclusionMatches(EExclusion::Folder, "C:\\Old", "C:\\Old\\s\\a.tmp", m_doc));
    EXPECT_FALSE(ExclusionMatches(EExclusion::Folder, "C:\\Old", "C:\\Older\\a.tmp", m_doc));
    EXPECT_FALSE(ExclusionMatches(EExclusion::Folder, "C:\\Old", "C:\\Old", m_doc));
}
