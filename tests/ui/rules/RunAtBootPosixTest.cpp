#include "ShellTestFixture.h"
#include "platform/posix/CXdgAutostart.h"
#include "ui/rules/RunAtBoot.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace
{
std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool HaveValidator()
{
    return std::system("command -v desktop-file-validate >/dev/null 2>&1") == 0;
}

// desktop-file-validate's exit status, with everything it printed.
int Validate(const std::filesystem::path& entry, std::string& strOutput)
{
    const std::string strCommand = "desktop-file-validate '" + entry.string() + "' 2>&1";
    FILE* pPipe = ::popen(strCommand.c_str(), "r");
    if (pPipe == nullptr)
        return -1;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pPipe) != nullptr)
        strOutput += buffer;
    const int nStatus = ::pclose(pPipe);
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
}
} // namespace

// The Run value and the login entry stay in step for every Run / Visible
// combination, on the platform's real registry and autostart folder, each
// switch made from the state the previous one left.
TEST_F(ShellTest, RunValueAndLoginEntryForEveryCombination)
{
    const std::filesystem::path entry =
        m_sandbox.HomeFolder() / ".config" / "autostart" / "scrubix.desktop";
    const std::string strExec = std::filesystem::canonical("/proc/self/exe").string();
    ASSERT_EQ(strExec.find_first_of(" \"'\\$%`"), std::string::npos)
        << "the expected Exec line below assumes a path needing no quoting";
    const bool bValidator = HaveValidator();
    struct SCombination
    {
        int32_t nRun, nVisible;
        const char* pValue;
        const char* pToken; // nullptr: no entry
    };
    const SCombination combinations[] = {
        {1, 0, "C:\\Tools\\scrubix.exe -7QX2M9R4TJ6W1HN5", "7QX2M9R4TJ6W1HN5"},
        {1, 1, "C:\\Tools\\scrubix.exe -A47F19C2D08B6E53", "A47F19C2D08B6E53"},
        {0, 1, "", nullptr},
        {0, 1, "", nullptr}, // already off: stays off
        {1, 1, "C:\\Tools\\scrubix.exe -A47F19C2D08B6E53", "A47F19C2D08B6E53"},
        {1, 0, "C:\\Tools\\scrubix.exe -7QX2M9R4TJ6W1HN5", "7QX2M9R4TJ6W1HN5"},
        // Off with invisible launch chosen: the invisible boot run must not
        // outlive the switch, neither as Run value nor as login entry.
        {0, 0, "", nullptr},
    };
    const std::string strBase = m_store.GetBaseKey();
    for (const SCombination& c : combinations)
    {
        SCOPED_TRACE(::testing::Message() << "Run " << c.nRun << " Visible " << c.nVisible);
        EXPECT_TRUE(
            RegisterRunAtBoot(m_store, *m_platform.pAutostart, "C:\\Tools", c.nRun, c.nVisible));
        EXPECT_EQ(m_store.GetBaseKey(), strBase);
        {
            const auto lock = m_store.Lock();
            m_store.SetBaseKey(ERegistryHive::LocalMachine, RUN_KEY_PATH);
            EXPECT_EQ(m_store.GetString("Run", "Scrubix", "<absent>"), c.pValue);
            m_store.SetBaseKey(ERegistryHive::LocalMachine, strBase);
        }
        if (c.pToken == nullptr)
        {
            EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(entry)));
            continue;
        }
        const std::string strExpected = std::string("[Desktop Entry]\n"
                                                    "Type=Application\n"
                                                    "Name=Scrubix\n"
                                                    "Comment=Search for junk files at login\n"
                                                    "Exec=") +
                                        strExec + " -" + c.pToken +
                                        "\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n";
        EXPECT_EQ(ReadText(entry), strExpected);
        if (bValidator)
        {
            std::string strOutput;
            EXPECT_EQ(Validate(entry, strOutput), 0) << strOutput;
            EXPECT_EQ(strOutput, "");
        }
    }
    // The program's own settings were not touched by the detour.
    EXPECT_EQ(m_store.GetString("Run", "Scrubix", "<absent>"), "<absent>");
    if (!bValidator)
        GTEST_SKIP() << "desktop-file-validate is not installed: the entries' contents were "
                        "checked, their validity was not";
}

// A login entry that cannot be written is reported, while the Run value is
// still written: the two parts fail separately.
TEST_F(ShellTest, RunAtBootReportsALoginEntryThatCannotBeWritten)
{
    const std::filesystem::path config = m_sandbox.HomeFolder() / ".config";
    std::filesystem::create_directories(config);
    std::ofstream(config / "autostart") << "a file where the folder belongs";
    EXPECT_FALSE(RegisterRunAtBoot(m_store, *m_platform.pAutostart, "C:\\Tools", 1, 1));
    const std::string strBase = m_store.GetBaseKey();
    const auto lock = m_store.Lock();
    m_store.SetBaseKey(ERegistryHive::LocalMachine, RUN_KEY_PATH);
    EXPECT_EQ(m_store.GetString("Run", "Scrubix", "<absent>"),
              "C:\\Tools\\scrubix.exe -A47F19C2D08B6E53");
    m_store.SetBaseKey(ERegistryHive::LocalMachine, strBase);
}

// A program installed under a path the login entry cannot name is refused
// there, and the caller hears of it so that the user can be told; switching
// run off is never a refusal.
TEST_F(ShellTest, RunAtBootSaysWhenTheLoginEntryIsRefused)
{
    const std::filesystem::path autostart = m_sandbox.HomeFolder() / ".config/autostart";
    CXdgAutostart percentPath(autostart.string(), "/opt/100%/scrubix");
    bool bRefused = false;

    EXPECT_FALSE(RegisterRunAtBoot(m_store, percentPath, "C:\\Tools", 1, 0, &bRefused));
    EXPECT_TRUE(bRefused);
    EXPECT_FALSE(std::filesystem::exists(autostart / "scrubix.desktop"));

    RegisterRunAtBoot(m_store, percentPath, "C:\\Tools", 0, 0, &bRefused);
    EXPECT_FALSE(bRefused);

    CXdgAutostart plainPath(autostart.string(), "/opt/scrubix/scrubix");
    EXPECT_TRUE(RegisterRunAtBoot(m_store, plainPath, "C:\\Tools", 1, 0, &bRefused));
    EXPECT_FALSE(bRefused);
}
