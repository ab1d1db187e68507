// The Modified column's text in fixed time zones.
#include "search/CCandidateTable.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace
{
// Sets TZ for one test and puts the one before back.
class CTimeZoneGuard
{
public:
    explicit CTimeZoneGuard(const char* pZone)
    {
        if (const char* pBefore = std::getenv("TZ"))
            m_strBefore = pBefore;
        ::setenv("TZ", pZone, 1);
        ::tzset();
    }
    ~CTimeZoneGuard()
    {
        if (m_strBefore)
            ::setenv("TZ", m_strBefore->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> m_strBefore;
};

TEST(ModifiedTextTest, LocalTimeToTheMinuteWhateverTheLocale)
{
    {
        const CTimeZoneGuard utc("UTC0");
        EXPECT_EQ(CCandidateTable::ModifiedText(1796825039), "2026-12-09 14:03"); // 14:03:59
        EXPECT_EQ(CCandidateTable::ModifiedText(0), "1970-01-01 00:00");
        EXPECT_EQ(CCandidateTable::ModifiedText(-60), "1969-12-31 23:59");
        EXPECT_EQ(CCandidateTable::ModifiedText(UNKNOWN_UNIX_TIME), "");
    }
    const CTimeZoneGuard east("XYZ-2"); // two hours east of UTC
    EXPECT_EQ(CCandidateTable::ModifiedText(1796825039), "2026-12-09 16:03");
}
} // namespace
