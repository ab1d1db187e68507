#include "platform/posix/CXdgAutostart.h"
#include "support/CSandboxDrive.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
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

std::string ExecLine(const std::string& strEntry)
{
    const size_t nStart = strEntry.find("\nExec=");
    if (nStart == std::string::npos)
        return {};
    const size_t nEnd = strEntry.find('\n', nStart + 1);
    return strEntry.substr(nStart + 6, nEnd - nStart - 6);
}

// desktop-file-validate's verdict: its exit status and everything it printed.
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

bool HaveValidator()
{
    return std::system("command -v desktop-file-validate >/dev/null 2>&1") == 0;
}
} // namespace

TEST(XdgAutostartTest, FolderFollowsTheConfigHome)
{
    CSandboxDrive sandbox;
    EXPECT_EQ(CXdgAutostart::FolderFromEnvironment(),
              (sandbox.HomeFolder() / ".config" / "autostart").string());
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(CXdgAutostart::FolderFromEnvironment(),
              (sandbox.HomeFolder() / ".config" / "autostart").string());
    EXPECT_EQ(CXdgAutostart::ExecutableOfThisProcess(),
              std::filesystem::canonical("/proc/self/exe").string());
}

TEST(XdgAutostartTest, ExecLineQuotesWhatTheShellWouldRead)
{
    struct SExecCase
    {
        const char* pExecutable;
        const char* pExec;
    };
    const SExecCase cases[] = {
        {"/usr/bin/scrubix", "/usr/bin/scrubix -TOKEN"},
        {"/opt/my apps/scrubix", "\"/opt/my apps/scrubix\" -TOKEN"},
        {"/opt/a$b/scrubix", "\"/opt/a\\\\$b/scrubix\" -TOKEN"},
        {"/opt/back\\slash/scrubix", "\"/opt/back\\\\\\\\slash/scrubix\" -TOKEN"},
        {"/opt/say \"hi\"/scrubix", "\"/opt/say \\\\\"hi\\\\\"/scrubix\" -TOKEN"},
        {"/opt/caf\xc3\xa9/scrubix", "/opt/caf\xc3\xa9/scrubix -TOKEN"},
    };
    for (const SExecCase& c : cases)
    {
        std::string strEntry;
        ASSERT_TRUE(CXdgAutostart::ComposeEntry(c.pExecutable, " -TOKEN", strEntry))
            << c.pExecutable;
        EXPECT_EQ(ExecLine(strEntry), c.pExec) << c.pExecutable;
    }
    std::string strEntry;
    EXPECT_FALSE(CXdgAutostart::ComposeEntry("", " -T", strEntry));
    EXPECT_FALSE(CXdgAutostart::ComposeEntry("relative/scrubix", " -T", strEntry));
    EXPECT_FALSE(CXdgAutostart::ComposeEntry("/opt/new\nline/scrubix", " -T", strEntry));
    EXPECT_FALSE(CXdgAutostart::ComposeEntry("/opt/\xff/scrubix", " -T", strEntry));
    EXPECT_FALSE(CXdgAutostart::ComposeEntry("/opt/\xc3/scrubix", " -T", strEntry));
}

// "%%" is how an Exec line holds a "%", but GIO's launcher refuses such a
// line: an executable whose path holds one gets no entry, and enabling says
// it failed.
TEST(XdgAutostartTest, AnExecutablePathWithAPercentSignIsRefused)
{
    CSandboxDrive sandbox;
    const std::filesystem::path folder = sandbox.HomeFolder() / ".config" / "autostart";
    for (const char* pExecutable : {"/opt/100%/scrubix", "/opt/a%%b/scrubix", "/opt/scrubix%f"})
    {
        std::string strEntry;
        EXPECT_FALSE(CXdgAutostart::ComposeEntry(pExecutable, " -TOKEN", strEntry)) << pExecutable;
        CXdgAutostart autostart(folder.string(), pExecutable);
        EXPECT_FALSE(autostart.EnableAtLogin(" -A47F19C2D08B6E53")) << pExecutable;
        EXPECT_FALSE(std::filesystem::exists(folder / "scrubix.desktop")) << pExecutable;
    }
}

TEST(XdgAutostartTest, EnableWritesAValidEntryAndDisableRemovesIt)
{
    CSandboxDrive sandbox;
    const std::filesystem::path folder = sandbox.HomeFolder() / ".config" / "autostart";
    struct SPathCase
    {
        std::string strExecutable;
    };
    const SPathCase cases[] = {
        {"/usr/bin/scrubix"},
        {(sandbox.Root() / "my apps" / "scrubix").string()},
        {(sandbox.Root() / "a$b\\c \"d\" 50" / "scrubix").string()},
    };
    for (const SPathCase& c : cases)
    {
        SCOPED_TRACE(c.strExecutable);
        std::filesystem::remove_all(sandbox.HomeFolder() / ".config");
        CXdgAutostart autostart(folder.string(), c.strExecutable);
        ASSERT_TRUE(autostart.EnableAtLogin(" -7QX2M9R4TJ6W1HN5"));
        const std::string strEntry = ReadText(folder / "scrubix.desktop");
        EXPECT_EQ(strEntry.rfind("[Desktop Entry]\n", 0), 0u);
        EXPECT_NE(strEntry.find("\nType=Application\n"), std::string::npos);
        EXPECT_NE(ExecLine(strEntry).find(" -7QX2M9R4TJ6W1HN5"), std::string::npos);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                                std::filesystem::directory_iterator()),
                  1); // no temporary file left behind
        if (HaveValidator())
        {
            std::string strOutput;
            EXPECT_EQ(Validate(folder / "scrubix.desktop", strOutput), 0) << strOutput;
            EXPECT_EQ(strOutput, "");
        }

        ASSERT_TRUE(autostart.EnableAtLogin(" -A47F19C2D08B6E53")); // replaced whole
        EXPECT_NE(ReadText(folder / "scrubix.desktop").find(" -A47F19C2D08B6E53\n"),
                  std::string::npos);
        EXPECT_EQ(ReadText(folder / "scrubix.desktop").find("7QX2M9R4TJ6W1HN5"), std::string::npos);

        EXPECT_TRUE(autostart.DisableAtLogin());
        EXPECT_FALSE(std::filesystem::exists(folder / "scrubix.desktop"));
        EXPECT_TRUE(autostart.DisableAtLogin()); // nothing left to remove
    }
}

TEST(XdgAutostartTest, ALinkAtTheEntrysNameIsReplacedNotFollowed)
{
    CSandboxDrive sandbox;
    const std::filesystem::path folder = sandbox.HomeFolder() / ".config" / "autostart";
    std::filesystem::create_directories(folder);
    const std::filesystem::path victim = sandbox.Outside() / "victim.txt";
    std::filesystem::create_directories(victim.parent_path());
    std::ofstream(victim) << "keep me";
    std::filesystem::create_symlink(victim, folder / "scrubix.desktop");

    CXdgAutostart autostart(folder.string(), "/usr/bin/scrubix");
    ASSERT_TRUE(autostart.EnableAtLogin(" -A47F19C2D08B6E53"));
    EXPECT_EQ(ReadText(victim), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(folder / "scrubix.desktop"));

    std::filesystem::remove(folder / "scrubix.desktop");
    std::filesystem::create_symlink(victim, folder / "scrubix.desktop");
    EXPECT_TRUE(autostart.DisableAtLogin()); // the link goes, never its target
    EXPECT_FALSE(std::filesystem::is_symlink(folder / "scrubix.desktop"));
    EXPECT_EQ(ReadText(victim), "keep me");
}

TEST(XdgAutostartTest, AnEntryThatCannotBeWrittenFails)
{
    CSandboxDrive sandbox;
    const std::filesystem::path config = sandbox.HomeFolder() / ".config";
    std::filesystem::create_directories(config);
    std::ofstream(config / "autostart") << "a file where the folder belongs";
    CXdgAutostart autostart((config / "autostart").string(), "/usr/bin/scrubix");
    EXPECT_FALSE(autostart.EnableAtLogin(" -A47F19C2D08B6E53"));
    EXPECT_TRUE(autostart.DisableAtLogin()); // no entry there
    CXdgAutostart unwritable((config / "autostart").string(), "relative");
    EXPECT_FALSE(unwritable.EnableAtLogin(" -A47F19C2D08B6E53"));
}
