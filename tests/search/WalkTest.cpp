#include "SearchTestSupport.h"

#include <algorithm>

TEST_F(CSearchTest, RootFilesComeBeforeSubfolderAndPathsInPreOrder)
{
    m_sandbox.Build({"C:\\a.tmp", "C:\\Sub\\b.tmp", "C:\\Sub\\Deep\\c.tmp"});
    const auto seen = RunSearch();
    std::vector<std::pair<uint32_t, std::string>> sequence;
    for (const SSeenMessage& item : seen)
        sequence.emplace_back(item.nMessage, item.strPath);
    const std::vector<std::pair<uint32_t, std::string>> expected = {
        {WM_SEARCH_PATH, "C:"},
        {WM_ADD_CANDIDATE, "C:\\a.tmp"},
        {WM_SEARCH_PATH, "C:\\Sub"},
        {WM_ADD_CANDIDATE, "C:\\Sub\\b.tmp"},
        {WM_SEARCH_PATH, "C:\\Sub\\Deep"},
        {WM_ADD_CANDIDATE, "C:\\Sub\\Deep\\c.tmp"},
        {WM_SEARCH_DONE, ""}};
    EXPECT_EQ(sequence, expected);
}

TEST_F(CSearchTest, SubfoldersAreEnteredInReverseListingOrder)
{
    m_sandbox.Build(
        {"C:\\A\\", "C:\\B\\", "C:\\C\\", "C:\\D\\", "C:\\E\\", "C:\\B\\x\\", "C:\\B\\y\\"});
    std::vector<std::string> expected = {"C:"};
    auto rootOrder = ListingOrder("C:");
    std::reverse(rootOrder.begin(), rootOrder.end());
    for (const std::string& strName : rootOrder)
    {
        expected.push_back("C:\\" + strName);
        if (strName == "B")
        {
            auto inner = ListingOrder("C:\\B");
            std::reverse(inner.begin(), inner.end());
            for (const std::string& strInner : inner)
                expected.push_back("C:\\B\\" + strInner);
        }
    }
    EXPECT_EQ(Paths(RunSearch(), WM_SEARCH_PATH), expected);
}

TEST_F(CSearchTest, DotFoldersAreSkippedButDotFilesExamined)
{
    m_sandbox.Build(
        {"C:\\.hidden\\a.tmp", "C:\\.tmp", "C:\\Sub\\.cache\\b.tmp", "C:\\Sub\\.x.bak"});
    const auto seen = RunSearch();
    EXPECT_EQ(Paths(seen, WM_SEARCH_PATH), (std::vector<std::string>{"C:", "C:\\Sub"}));
    const std::map<std::string, int32_t> expected = {{"C:\\.tmp", REASON_EXTENSION},
                                                     {"C:\\Sub\\.x.bak", REASON_EXTENSION}};
    EXPECT_EQ(Listed(), expected);
}

namespace
{
struct SFilterCase
{
    const char* pFilter;
    bool bRecycledEntered;
};
const SFilterCase FILTER_CASES[] = {
    {"c:\\recycled", false}, {"C:\\RECYCLED", false},       {"c:\\recycled\\", true}, {"C:", true},
    {"c:\\recycle", true},   {"C:\\RECYCLED\\Inner", true},
};
} // namespace

TEST_F(CSearchTest, FiltersCompareWholePathsIgnoringCase)
{
    m_sandbox.Build({"C:\\RECYCLED\\a.tmp", "C:\\RECYCLED\\Inner\\b.tmp", "C:\\top.tmp"});
    for (const SFilterCase& filterCase : FILTER_CASES)
    {
        m_doc.Lists[LIST_FILTER] = {filterCase.pFilter};
        RunSearch();
        const auto listed = Listed();
        EXPECT_TRUE(listed.count("C:\\top.tmp")) << filterCase.pFilter;
        EXPECT_EQ(listed.count("C:\\RECYCLED\\a.tmp") == 1, filterCase.bRecycledEntered)
            << filterCase.pFilter;
        // A filter on the inner folder keeps only that folder out.
        EXPECT_EQ(listed.count("C:\\RECYCLED\\Inner\\b.tmp") == 1,
                  filterCase.bRecycledEntered &&
                      std::string(filterCase.pFilter) != "C:\\RECYCLED\\Inner")
            << filterCase.pFilter;
    }
}

TEST_F(CSearchTest, LinksToFoldersAreNeverEntered)
{
    m_sandbox.Build({"C:\\Real\\a.tmp"});
    std::filesystem::create_directories(m_sandbox.Outside() / "secret");
    std::ofstream(m_sandbox.Outside() / "secret" / "s.tmp") << "x";
    m_sandbox.MakeLink("C:\\ToOutside", m_sandbox.Outside() / "secret");
    m_sandbox.MakeLink("C:\\Alias.tmp", m_sandbox.HostPath("C:\\Real"));
    m_sandbox.MakeLink("C:\\Real\\loop", ".");
    const auto seen = RunSearch();
    EXPECT_EQ(Paths(seen, WM_SEARCH_PATH), (std::vector<std::string>{"C:", "C:\\Real"}));
    // The link itself is a file named Alias.tmp.
    const std::map<std::string, int32_t> expected = {{"C:\\Alias.tmp", REASON_EXTENSION},
                                                     {"C:\\Real\\a.tmp", REASON_EXTENSION}};
    EXPECT_EQ(Listed(), expected);
}
