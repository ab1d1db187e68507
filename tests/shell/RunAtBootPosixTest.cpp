#include "ShellTestFixture.h"
#include "shell/RunAtBoot.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

// The Run value and the login entry stay in step for every Run / Visible
// combination, on the platform's real registry and autostart folder.
TEST_F(ShellTest, RunValueAndLoginEntryForEveryCombination)
{
    const std::filesystem::path entry =
        m_sandbox.HomeFolder() / ".config" / "autostart" / "scrubix.desktop";
    const std::string strExec = std::filesystem::canonical("/proc/self/exe").string();
    struct SCombination
    {
        int32_t nRun, nVisible;
        const char* pValue;
        const char* pExecTail; // nullptr: no entry
    };
    const SCombination combinations[] = {
        {1, 0, "C:\\Tools\\scrubix.exe -7QX2M9R4TJ6W1HN5", " -7QX2M9R4TJ6W1HN5\n"},
        {1, 1, "C:\\Tools\\scrubix.exe -A47F19C2D08B6E53", " -A47F19C2D08B6E53\n"},
        {0, 1, "", nullptr},
        {1, 0, "C:\\Tools\\scrubix.exe -7QX2M9R4TJ6W1HN5", " -7QX2M9R4TJ6W1HN5\n"},
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
        if (c.pExecTail == nullptr)
        {
            EXPECT_FALSE(std::filesystem::exists(entry));
            continue;
        }
        std::ifstream file(entry);
        std::stringstream text;
        text << file.rdbuf();
        EXPECT_NE(text.str().find("\nExec=" + strExec + c.pExecTail), std::string::npos)
            << text.str();
    }
    // The program's own settings were not touched by the detour.
    EXPECT_EQ(m_store.GetString("Run", "Scrubix", "<absent>"), "<absent>");
}
