#include "platform/posix/CSqliteRegistry.h"
#include "support/CSandboxDrive.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
const ERegistryHive HKLM = ERegistryHive::LocalMachine;
const ERegistryHive HKCU = ERegistryHive::CurrentUser;

// Sets the immutable flag on paths, which stops even root from writing; the
// flag comes off again on destruction.
class CImmutableFiles
{
public:
    ~CImmutableFiles()
    {
        for (const fs::path& path : m_paths)
            std::system(("chattr -i '" + path.string() + "' 2>/dev/null").c_str());
    }
    bool Add(const fs::path& path)
    {
        m_paths.push_back(path);
        return std::system(("chattr +i '" + path.string() + "' 2>/dev/null").c_str()) == 0;
    }

private:
    std::vector<fs::path> m_paths;
};

std::string ReadString(IRegistry& registry, ERegistryHive hive, const std::string& strPath,
                       const std::string& strName)
{
    auto pKey = registry.OpenKey(hive, strPath);
    char szBuffer[260];
    size_t nRead = 0;
    uint32_t nType = 0;
    if (!pKey || !pKey->QueryValue(strName, szBuffer, sizeof(szBuffer), nRead, nType) || nRead == 0)
        return "<absent>";
    return std::string(szBuffer, nRead - 1);
}

size_t ValueCount(IRegistry& registry, ERegistryHive hive, const std::string& strPath)
{
    std::vector<SRegistryValue> values;
    registry.EnumValues(hive, strPath, values);
    return values.size();
}

std::vector<fs::path> AsideFiles(const fs::path& folder, const std::string& strPrefix)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
    {
        if (entry.path().filename().string().rfind(strPrefix, 0) == 0)
            files.push_back(entry.path());
    }
    return files;
}

int WaitForChild(pid_t pid)
{
    int nStatus = 0;
    if (waitpid(pid, &nStatus, 0) != pid || !WIFEXITED(nStatus))
        return -1;
    return WEXITSTATUS(nStatus);
}

class SqliteRegistryDurabilityTest : public ::testing::Test
{
protected:
    fs::path Folder() const { return m_sandbox.RegistryFolder(); }

    CSandboxDrive m_sandbox;
};

TEST_F(SqliteRegistryDurabilityTest, HiveThatCannotBeWrittenStillReads)
{
    {
        CSqliteRegistry setup(Folder().string());
        ASSERT_TRUE(setup.SetValue(HKLM, "Software\\App", {"Zero", REG_TYPE_SZ, {"1\0", 2}}));
    }
    CImmutableFiles immutable;
    if (!immutable.Add(Folder() / "HKLM.db") || !immutable.Add(Folder()))
        GTEST_SKIP() << "chattr +i is not available here";

    CSqliteRegistry registry(Folder().string());
    EXPECT_EQ(ReadString(registry, HKLM, "Software\\App", "Zero"), "1");
    EKeyDisposition disposition{};
    EXPECT_FALSE(registry.CreateKey(HKLM, "Software\\App", disposition));
    EXPECT_FALSE(registry.CreateKey(HKLM, "Software\\New", disposition));
    EXPECT_FALSE(registry.SetValue(HKLM, "Software\\App", {"Zero", REG_TYPE_SZ, {"0\0", 2}}));
    EXPECT_FALSE(registry.DeleteKey(HKLM, "Software"));
    EXPECT_FALSE(registry.WriteKeys(HKLM, {{"Software\\Batch", {}}}));
    // No file and a folder that cannot take one: an empty hive that refuses writes.
    EXPECT_FALSE(registry.OpenKey(HKCU, "Software"));
    EXPECT_FALSE(registry.CreateKey(HKCU, "Software", disposition));
    EXPECT_EQ(ReadString(registry, HKLM, "Software\\App", "Zero"), "1");
}

TEST_F(SqliteRegistryDurabilityTest, WritesThatFailOnAnOpenHiveAreDroppedSilently)
{
    CSqliteRegistry registry(Folder().string());
    EKeyDisposition disposition{};
    auto pKey = registry.CreateKey(HKLM, "Software\\App", disposition);
    ASSERT_TRUE(pKey);
    ASSERT_TRUE(pKey->SetStringValue("Zero", "1"));

    {
        // The database stays writable but no journal can be made beside it.
        CImmutableFiles immutable;
        if (!immutable.Add(Folder()))
            GTEST_SKIP() << "chattr +i is not available here";
        EXPECT_FALSE(pKey->SetStringValue("Zero", "0"));
        EXPECT_FALSE(pKey->CreateSubKey("Child"));
        EXPECT_EQ(ReadString(registry, HKLM, "Software\\App", "Zero"), "1");
    }
    CSqliteRegistry reopened(Folder().string());
    EXPECT_EQ(ReadString(reopened, HKLM, "Software\\App", "Zero"), "1");
    EXPECT_FALSE(reopened.OpenKey(HKLM, "Software\\App\\Child"));
}

TEST_F(SqliteRegistryDurabilityTest, FileThatIsNotADatabaseIsMovedAside)
{
    const std::string strGarbage(5000, 'G');
    std::ofstream(Folder() / "HKLM.db") << strGarbage;
    std::ofstream(Folder() / "HKLM.db-journal") << "stale journal";

    {
        CSqliteRegistry registry(Folder().string());
        EXPECT_FALSE(registry.OpenKey(HKLM, "Software"));
        EKeyDisposition disposition{};
        auto pKey = registry.CreateKey(HKLM, "Software", disposition);
        ASSERT_TRUE(pKey);
        EXPECT_EQ(disposition, EKeyDisposition::CreatedNewKey);
        ASSERT_TRUE(pKey->SetStringValue("Fresh", "yes"));
    }
    // SQLite itself discards a journal it cannot read; one it could read
    // would have gone aside with the database.
    EXPECT_FALSE(fs::exists(Folder() / "HKLM.db-journal"));
    const auto aside = AsideFiles(Folder(), "HKLM.db.corrupt-");
    ASSERT_EQ(aside.size(), 1u);
    std::ifstream file(aside.front());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), strGarbage);
    CSqliteRegistry reopened(Folder().string());
    EXPECT_EQ(ReadString(reopened, HKLM, "Software", "Fresh"), "yes");
}

TEST_F(SqliteRegistryDurabilityTest, DatabaseWithDamagedPagesIsMovedAside)
{
    {
        CSqliteRegistry registry(Folder().string());
        std::vector<SRegistryValue> values;
        for (int i = 0; i < 300; ++i)
            values.push_back({"Value" + std::to_string(i), REG_TYPE_SZ, std::string(100, 'v')});
        ASSERT_TRUE(registry.WriteKeys(HKCU, {{"Software\\Big", values}}));
    }
    ASSERT_GT(fs::file_size(Folder() / "HKCU.db"), 3 * 4096u);
    {
        std::fstream file(Folder() / "HKCU.db", std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(2 * 4096);
        const std::string strJunk(4096, '\xAB');
        file.write(strJunk.data(), static_cast<std::streamsize>(strJunk.size()));
    }

    CSqliteRegistry registry(Folder().string());
    EXPECT_EQ(ValueCount(registry, HKCU, "Software\\Big"), 0u);
    EXPECT_EQ(AsideFiles(Folder(), "HKCU.db.corrupt-").size(), 1u);
    EXPECT_TRUE(registry.SetValue(HKCU, "Software", {"ok", REG_TYPE_SZ, {"1\0", 2}}));
    EXPECT_TRUE(AsideFiles(Folder(), "HKLM.db.corrupt-").empty());
}

TEST_F(SqliteRegistryDurabilityTest, TwoThreadsShareOneRegistry)
{
    CSqliteRegistry registry(Folder().string());
    constexpr int VALUES = 150;
    std::atomic<int> nFailures{0};
    auto writer = [&](const std::string& strSection)
    {
        for (int i = 0; i < VALUES; ++i)
        {
            EKeyDisposition disposition{};
            auto pKey = registry.CreateKey(HKLM, "Software\\App\\" + strSection, disposition);
            if (!pKey || !pKey->SetStringValue("Entry" + std::to_string(i), std::to_string(i)) ||
                ReadString(registry, HKLM, "Software\\App\\" + strSection,
                           "entry" + std::to_string(i)) != std::to_string(i))
                ++nFailures;
        }
    };
    std::thread first(writer, "First");
    std::thread second(writer, "Second");
    first.join();
    second.join();
    EXPECT_EQ(nFailures.load(), 0);
    EXPECT_EQ(ValueCount(registry, HKLM, "Software\\App\\First"), size_t(VALUES));
    EXPECT_EQ(ValueCount(registry, HKLM, "Software\\App\\Second"), size_t(VALUES));
}

TEST_F(SqliteRegistryDurabilityTest, TwoProcessesWriteTheSameHive)
{
    constexpr int VALUES = 100;
    std::vector<pid_t> children;
    for (const char* pszPrefix : {"A", "B"})
    {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0)
        {
            CSqliteRegistry registry(Folder().string());
            int nFailures = 0;
            for (int i = 0; i < VALUES; ++i)
            {
                SRegistryValue value{pszPrefix + std::to_string(i), REG_TYPE_SZ, {"x\0", 2}};
                nFailures += registry.SetValue(HKLM, "Software\\Shared", value) ? 0 : 1;
            }
            _exit(nFailures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children)
        EXPECT_EQ(WaitForChild(pid), 0);
    CSqliteRegistry registry(Folder().string());
    EXPECT_EQ(ValueCount(registry, HKLM, "Software\\Shared"), size_t(2 * VALUES));
}

TEST_F(SqliteRegistryDurabilityTest, WriterWaitsForAnotherProcessesTransaction)
{
    {
        CSqliteRegistry setup(Folder().string());
        ASSERT_TRUE(setup.SetValue(HKLM, "Software", {"a", REG_TYPE_SZ, {"1\0", 2}}));
    }
    // The lock holder is a child: SQLite's lock bookkeeping must not cross a fork.
    int aPipe[2];
    ASSERT_EQ(pipe(aPipe), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0)
    {
        sqlite3* pDb = nullptr;
        bool bLocked = sqlite3_open((Folder() / "HKLM.db").c_str(), &pDb) == SQLITE_OK &&
                       sqlite3_exec(pDb, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
        const char cSignal = bLocked ? 'L' : 'F';
        (void)!write(aPipe[1], &cSignal, 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        bLocked = bLocked && sqlite3_exec(pDb, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(pDb);
        _exit(bLocked ? 0 : 1);
    }
    char cSignal = 0;
    ASSERT_EQ(read(aPipe[0], &cSignal, 1), 1);
    close(aPipe[0]);
    close(aPipe[1]);
    ASSERT_EQ(cSignal, 'L');

    const auto start = std::chrono::steady_clock::now();
    CSqliteRegistry registry(Folder().string());
    EXPECT_TRUE(registry.SetValue(HKLM, "Software", {"b", REG_TYPE_SZ, {"2\0", 2}}));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_EQ(WaitForChild(pid), 0);
    EXPECT_EQ(ReadString(registry, HKLM, "Software", "b"), "2");
}
} // namespace
