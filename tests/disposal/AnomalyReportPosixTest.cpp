// A link planted at the report's name, made with a POSIX symbolic link; the
// report's date in a locale compiled for the test with localedef.
#include "DisposalTestFixture.h"

#include <cstdlib>
#include <ctime>
#include <optional>

namespace fs = std::filesystem;

class AnomalyReportPosixTest : public CDisposalTest
{
protected:
    AnomalyReportPosixTest()
    {
        m_doc.Anomaly = 1;
        m_doc.RecycleRadio = 1;
    }
};

TEST_F(AnomalyReportPosixTest, PlantedLinkAtTheReportNameIsNotFollowed)
{
    const fs::path victim = m_drive.Outside() / "precious.txt";
    std::ofstream(victim) << "keep me";
    fs::create_symlink(victim, m_drive.HostPath("C:\\Prog\\anomaly.txt"));
    m_doc.Move = 1;
    AddFileRow("C:\\a.tmp");

    Run();

    std::ifstream in(victim);
    std::string strVictim((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ("keep me", strVictim);
    EXPECT_FALSE(m_drive.Exists("C:\\a.tmp")); // the pass itself went on
}

namespace
{
// Sets an environment variable for the guard's lifetime.
class CEnvironmentGuard
{
public:
    CEnvironmentGuard(const char* pName, const std::string& strValue) : m_strName(pName)
    {
        if (const char* pOld = std::getenv(pName))
            m_oldValue = pOld;
        setenv(pName, strValue.c_str(), 1);
        tzset();
    }
    ~CEnvironmentGuard()
    {
        if (m_oldValue)
            setenv(m_strName.c_str(), m_oldValue->c_str(), 1);
        else
            unsetenv(m_strName.c_str());
        tzset();
    }
    CEnvironmentGuard(const CEnvironmentGuard&) = delete;
    CEnvironmentGuard& operator=(const CEnvironmentGuard&) = delete;

private:
    std::string m_strName;
    std::optional<std::string> m_oldValue;
};
} // namespace

TEST_F(AnomalyReportPosixTest, ReportDateIsWrittenInTheUsersLocale)
{
    // A German single-byte locale, compiled into the sandbox.
    const fs::path locales = m_drive.Outside() / "locales";
    fs::create_directories(locales);
    const std::string strCommand = "localedef -c -i de_DE -f ISO-8859-1 '" +
                                   (locales / "de_DE.ISO-8859-1").string() + "' >/dev/null 2>&1";
    if (std::system(strCommand.c_str()) == -1 ||
        !fs::exists(locales / "de_DE.ISO-8859-1" / "LC_TIME"))
        GTEST_SKIP() << "localedef or its German sources are not installed";

    const CEnvironmentGuard path("LOCPATH", locales.string());
    const CEnvironmentGuard all("LC_ALL", "de_DE.ISO-8859-1");
    const CEnvironmentGuard zone("TZ", "UTC0");
    m_clock.m_now = 795184889; // Tuesday 14 March 1995, 12:41:29 UTC
    EXPECT_EQ(FormatReportDate(m_clock.m_now), "Dienstag, M\xe4rz 14, 1995 12:41:29");

    m_doc.Move = 1;
    Run();
    const std::string strReport = Report();
    EXPECT_EQ(strReport.substr(0, strReport.find('\n')),
              "Anomaly Report for Dienstag, M\xe4rz 14, 1995 12:41:29");
}
