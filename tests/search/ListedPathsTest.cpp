#include "search/CListedPaths.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>

// The set keeps finding every path, and only those, as it grows through many
// doublings (each one places the entries again from their stored tags).
TEST(ListedPathsTest, FindsExactlyWhatWasAddedAcrossGrowth)
{
    std::deque<std::string> paths; // the strings stay in place, as the table's rows do
    CListedPaths listed;
    for (int i = 0; i < 150000; ++i)
    {
        paths.push_back("C:\\junk\\folder" + std::to_string(i % 97) + "\\file" + std::to_string(i) +
                        ".tmp");
        ASSERT_FALSE(listed.Contains(paths.back())) << paths.back();
        listed.Add(paths.back());
    }
    EXPECT_EQ(listed.Size(), paths.size());
    for (const std::string& strPath : paths)
        ASSERT_TRUE(listed.Contains(strPath)) << strPath;
    // Near misses: another letter case, one character more or less.
    EXPECT_FALSE(listed.Contains("c:\\junk\\folder0\\file0.tmp"));
    EXPECT_FALSE(listed.Contains("C:\\junk\\folder0\\file0.tm"));
    EXPECT_FALSE(listed.Contains("C:\\junk\\folder0\\file0.tmpx"));
    EXPECT_FALSE(listed.Contains("C:\\junk\\folder0\\file150000.tmp"));

    listed.Clear();
    EXPECT_EQ(listed.Size(), 0u);
    EXPECT_EQ(listed.BytesHeld(), 0u);
    EXPECT_FALSE(listed.Contains(paths.front()));
}
