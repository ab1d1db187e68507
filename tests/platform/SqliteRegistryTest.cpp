#include "platform/posix/CSqliteRegistry.h"
#include "support/CSandboxDrive.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace
{
const ERegistryHive HKLM = ERegistryHive::LocalMachine;
const ERegistryHive HKCU = ERegistryHive::CurrentUser;

class SqliteRegistryTest : public ::testing::Test
{
protected:
    CSandboxDrive m_sandbox;
    CSqliteRegistry m_registry{m_sandbox.RegistryFolder().string()};

    std::string ReadString(ERegistryHive hive, const std::string& strPath,
                           const std::string& strName)
    {
        auto pKey = m_registry.OpenKey(hive, strPath);
        char szBuffer[260];
        size_t nRead = 0;
        uint32_t nType = 0;
        if (!pKey || !pKey->QueryValue(strName, szBuffer, sizeof(szBuffer), nRead, nType))
            return "<absent>";
        return std::string(szBuffer, nRead);
    }
};

TEST_F(SqliteRegistryTest, CreateKeyReportsDispositionOfTheFinalKey)
{
    EKeyDisposition disposition{};
    ASSERT_TRUE(m_registry.CreateKey(HKLM, "Software\\Vendor\\App", disposition));
    EXPECT_EQ(disposition, EKeyDisposition::CreatedNewKey);
    ASSERT_TRUE(m_registry.CreateKey(HKLM, "Software\\Vendor\\App", disposition));
    EXPECT_EQ(disposition, EKeyDisposition::OpenedExistingKey);
    // The parent already exists; the new leaf decides the disposition.
    ASSERT_TRUE(m_registry.CreateKey(HKLM, "Software\\Vendor\\Other", disposition));
    EXPECT_EQ(disposition, EKeyDisposition::CreatedNewKey);
    // Every key on the way was created and empty components do not count.
    ASSERT_TRUE(m_registry.CreateKey(HKLM, "\\software\\\\VENDOR\\app\\", disposition));
    EXPECT_EQ(disposition, EKeyDisposition::OpenedExistingKey);
    EXPECT_TRUE(m_registry.OpenKey(HKLM, "Software\\Vendor"));
    // Hives are separate.
    EXPECT_FALSE(m_registry.OpenKey(HKCU, "Software\\Vendor"));
}

TEST_F(SqliteRegistryTest, KeysAndValueNamesIgnoreCaseAndKeepFirstSpelling)
{
    EKeyDisposition disposition{};
    auto pKey = m_registry.CreateKey(HKLM, "Software\\MixedCase", disposition);
    ASSERT_TRUE(pKey);
    ASSERT_TRUE(pKey->SetStringValue("MovePath", "first"));
    ASSERT_TRUE(pKey->SetStringValue("MOVEPATH", "second"));
    EXPECT_EQ(ReadString(HKLM, "SOFTWARE\\mixedcase", "movepath"), std::string("second\0", 7));

    std::vector<SRegistryValue> values;
    ASSERT_TRUE(m_registry.EnumValues(HKLM, "software\\MIXEDCASE", values));
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].strName, "MovePath");

    ASSERT_TRUE(m_registry.CreateKey(HKLM, "SOFTWARE\\mixedcase\\Sub", disposition));
    std::vector<std::string> names;
    ASSERT_TRUE(m_registry.EnumSubKeys(HKLM, "", names));
    EXPECT_EQ(names, std::vector<std::string>{"Software"});
    ASSERT_TRUE(m_registry.EnumSubKeys(HKLM, "Software", names));
    EXPECT_EQ(names, std::vector<std::string>{"MixedCase"});
}

TEST_F(SqliteRegistryTest, QueryValueIsBoundedByTheBuffer)
{
    EKeyDisposition disposition{};
    auto pKey = m_registry.CreateKey(HKLM, "Bounds", disposition);
    ASSERT_TRUE(pKey);
    ASSERT_TRUE(pKey->SetStringValue("Fits", std::string(259, 'a')));
    ASSERT_TRUE(pKey->SetStringValue("TooLong", std::string(300, 'b')));
    ASSERT_TRUE(pKey->SetStringValue("Empty", ""));

    char szBuffer[260];
    size_t nRead = 0;
    uint32_t nType = 0;
    ASSERT_TRUE(pKey->QueryValue("Fits", szBuffer, sizeof(szBuffer), nRead, nType));
    EXPECT_EQ(nRead, 260u);
    EXPECT_EQ(szBuffer[259], '\0');
    EXPECT_EQ(nType, REG_TYPE_SZ);

    std::memset(szBuffer, 'x', sizeof(szBuffer));
    EXPECT_FALSE(pKey->QueryValue("TooLong", szBuffer, sizeof(szBuffer), nRead, nType));
    EXPECT_EQ(szBuffer[0], 'x') << "a failed read copies nothing";
    EXPECT_FALSE(pKey->QueryValue("Fits", szBuffer, 259, nRead, nType));
    EXPECT_FALSE(pKey->QueryValue("Absent", szBuffer, sizeof(szBuffer), nRead, nType));

    ASSERT_TRUE(pKey->QueryValue("Empty", szBuffer, sizeof(szBuffer), nRead, nType));
    EXPECT_EQ(nRead, 1u);
    EXPECT_EQ(szBuffer[0], '\0');
}

TEST_F(SqliteRegistryTest, ValuesKeepTypeAndExactBytes)
{
    const std::vector<SRegistryValue> written = {
        {"Text", REG_TYPE_SZ, std::string("abc\0", 4)},
        {"", REG_TYPE_SZ, std::string("default\0", 8)},
        {"NoNul", REG_TYPE_SZ, "raw"},
        {"Binary", 3, std::string("\0\x01\xff\0", 4)},
        {"EmptyBinary", 3, ""},
        {"Custom", 0x4321, "\x80\x81"},
    };
    for (const SRegistryValue& value : written)
        ASSERT_TRUE(m_registry.SetValue(HKCU, "Types\\Created\\On\\Write", value));

    CSqliteRegistry reopened(m_sandbox.RegistryFolder().string());
    std::vector<SRegistryValue> read;
    ASSERT_TRUE(reopened.EnumValues(HKCU, "types\\created\\on\\write", read));
    ASSERT_EQ(read.size(), written.size());
    for (size_t i = 0; i < written.size(); ++i)
    {
        EXPECT_EQ(read[i].strName, written[i].strName);
        EXPECT_EQ(read[i].nType, written[i].nType) << written[i].strName;
        EXPECT_EQ(read[i].strData, written[i].strData) << written[i].strName;
    }
}

TEST_F(SqliteRegistryTest, OpenKeyIsReadOnlyAndNullWhenAbsent)
{
    EXPECT_FALSE(m_registry.OpenKey(HKLM, "Missing"));
    EKeyDisposition disposition{};
    ASSERT_TRUE(m_registry.CreateKey(HKLM, "Present", disposition));
    auto pKey = m_registry.OpenKey(HKLM, "present");
    ASSERT_TRUE(pKey);
    EXPECT_FALSE(pKey->SetStringValue("x", "y"));
    EXPECT_FALSE(pKey->CreateSubKey("Child"));
    EXPECT_FALSE(m_registry.OpenKey(HKLM, "Present\\Child"));
}

TEST_F(SqliteRegistryTest, DeleteKeyRemovesTheWholeTree)
{
    EKeyDisposition disposition{};
    auto pLeaf = m_registry.CreateKey(HKLM, "Tree\\A\\B", disposition);
    ASSERT_TRUE(pLeaf);
    ASSERT_TRUE(pLeaf->SetStringValue("v", "1"));
    ASSERT_TRUE(m_registry.SetValue(HKLM, "Tree\\Sibling", {"w", REG_TYPE_SZ, "2"}));
    ASSERT_TRUE(m_registry.SetValue(HKLM, "Keep", {"k", REG_TYPE_SZ, "3"}));

    ASSERT_TRUE(m_registry.DeleteKey(HKLM, "tree\\a"));
    EXPECT_FALSE(m_registry.OpenKey(HKLM, "Tree\\A\\B"));
    EXPECT_TRUE(m_registry.OpenKey(HKLM, "Tree\\Sibling"));
    // A handle to a deleted key writes nowhere, even once the path exists again.
    EXPECT_FALSE(pLeaf->SetStringValue("v", "again"));
    ASSERT_TRUE(m_registry.CreateKey(HKLM, "Tree\\A\\B", disposition));
    EXPECT_EQ(disposition, EKeyDisposition::CreatedNewKey);
    EXPECT_FALSE(pLeaf->SetStringValue("v", "again"));
    EXPECT_EQ(ReadString(HKLM, "Tree\\A\\B", "v"), "<absent>");

    ASSERT_TRUE(m_registry.DeleteKey(HKLM, "Tree"));
    EXPECT_FALSE(m_registry.DeleteKey(HKLM, "Tree"));
    EXPECT_FALSE(m_registry.DeleteKey(HKLM, ""));
    EXPECT_EQ(ReadString(HKLM, "Keep", "k"), "3");

    EXPECT_TRUE(m_registry.DeleteValue(HKLM, "keep", "K"));
    EXPECT_FALSE(m_registry.DeleteValue(HKLM, "keep", "K"));
}

TEST_F(SqliteRegistryTest, WriteKeysCreatesEmptyKeysAndValuesTogether)
{
    ASSERT_TRUE(m_registry.WriteKeys(
        HKLM, {{"Batch\\Empty", {}}, {"Batch\\Full", {{"a", 3, "\x01"}, {"b", 4, "xxxx"}}}}));
    EXPECT_TRUE(m_registry.OpenKey(HKLM, "Batch\\Empty"));
    std::vector<SRegistryValue> values;
    ASSERT_TRUE(m_registry.EnumValues(HKLM, "Batch\\Full", values));
    EXPECT_EQ(values.size(), 2u);
}

TEST(SqliteRegistryFolderTest, FolderComesFromTheEnvironmentAndIsCreatedPrivate)
{
    CSandboxDrive sandbox;
    EXPECT_EQ(CSqliteRegistry::FolderFromEnvironment(), sandbox.RegistryFolder().string());
    unsetenv("SCRUBIX_REGISTRY_DIR");
    const fs::path config = sandbox.HomeFolder() / ".config";
    EXPECT_EQ(CSqliteRegistry::FolderFromEnvironment(), (config / "scrubix/registry").string());
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(CSqliteRegistry::FolderFromEnvironment(),
              (sandbox.HomeFolder() / ".config/scrubix/registry").string());

    const fs::path folder = sandbox.Root() / "deep" / "er" / "registry";
    CSqliteRegistry registry(folder.string());
    EKeyDisposition disposition{};
    ASSERT_TRUE(registry.CreateKey(HKCU, "Software", disposition));
    struct stat info
    {
    };
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(fs::exists(folder / "HKCU.db"));
    // Rollback journal, not WAL: nothing but the database stays behind.
    EXPECT_FALSE(fs::exists(folder / "HKCU.db-wal"));
    EXPECT_FALSE(fs::exists(folder / "HKCU.db-journal"));

    const auto files = registry.BackingFiles();
    EXPECT_EQ(files, (std::vector<std::string>{
                         (folder / "HKLM.db").string(), (folder / "HKLM.db-journal").string(),
                         (folder / "HKCU.db").string(), (folder / "HKCU.db-journal").string()}));
}
} // namespace

namespace
{
// A read-only registry reads what is there and creates nothing: no folder, no
// database file, no key, no value.
TEST(SqliteRegistryReadOnlyTest, ReadsWhatIsThereAndWritesNothing)
{
    CSandboxDrive sandbox;
    const fs::path folder = sandbox.Root() / "not-yet" / "registry";
    {
        CSqliteRegistry readOnly(folder.string(), ERegistryAccess::ReadOnly);
        EXPECT_TRUE(readOnly.IsReadOnly());
        EXPECT_FALSE(readOnly.IsHiveUnreadable(HKLM));
        EXPECT_FALSE(readOnly.OpenKey(HKLM, "Software"));
        EKeyDisposition disposition{};
        EXPECT_FALSE(readOnly.CreateKey(HKLM, "Software", disposition));
        EXPECT_FALSE(readOnly.SetValue(HKCU, "Software", {"a", REG_TYPE_SZ, {"1\0", 2}}));
        EXPECT_FALSE(readOnly.WriteKeys(HKLM, {{"Software\\X", {}}}));
    }
    EXPECT_FALSE(fs::exists(folder.parent_path()));

    {
        CSqliteRegistry writable(folder.string());
        ASSERT_TRUE(writable.SetValue(HKLM, "Software\\App", {"a", REG_TYPE_SZ, {"1\0", 2}}));
    }
    const auto modified = fs::last_write_time(folder / "HKLM.db");
    CSqliteRegistry readOnly(folder.string(), ERegistryAccess::ReadOnly);
    std::vector<SRegistryValue> values;
    ASSERT_TRUE(readOnly.EnumValues(HKLM, "software\\app", values));
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].strData, std::string("1\0", 2));
    auto pKey = readOnly.OpenKey(HKLM, "Software\\App");
    ASSERT_TRUE(pKey);
    EXPECT_FALSE(pKey->SetStringValue("a", "2"));
    EXPECT_FALSE(readOnly.SetValue(HKLM, "Software\\App", {"a", REG_TYPE_SZ, {"2\0", 2}}));
    EXPECT_FALSE(readOnly.DeleteValue(HKLM, "Software\\App", "a"));
    EXPECT_FALSE(readOnly.DeleteKey(HKLM, "Software\\App"));
    EXPECT_TRUE(readOnly.EnumValues(HKLM, "Software\\App", values));
    EXPECT_EQ(values.size(), 1u);
    EXPECT_FALSE(fs::exists(folder / "HKCU.db"));
    EXPECT_FALSE(readOnly.IsHiveUnreadable(HKCU));
    EXPECT_EQ(fs::last_write_time(folder / "HKLM.db"), modified);
}
} // namespace

namespace
{
// "n1\n2\...": nLevels names below the hive.
std::string LevelPath(size_t nLevels)
{
    std::string strPath;
    for (size_t n = 1; n <= nLevels; ++n)
        strPath += (n > 1 ? "\\n" : "n") + std::to_string(n);
    return strPath;
}

// No way of creating a key makes one deeper than 512 levels or with a name
// longer than 255 characters, and a refused batch writes none of its keys.
TEST_F(SqliteRegistryTest, KeysStayWithinTheRegistrysLimits)
{
    EKeyDisposition disposition{};
    EXPECT_TRUE(m_registry.CreateKey(HKLM, LevelPath(512), disposition));
    EXPECT_FALSE(m_registry.CreateKey(HKLM, LevelPath(513), disposition));
    EXPECT_FALSE(m_registry.SetValue(HKLM, LevelPath(513), {"v", REG_TYPE_SZ, {"1\0", 2}}));
    EXPECT_TRUE(m_registry.CreateKey(HKLM, "A\\" + std::string(255, 'x'), disposition));
    EXPECT_FALSE(m_registry.CreateKey(HKLM, "B\\" + std::string(256, 'x'), disposition));
    EXPECT_FALSE(m_registry.OpenKey(HKLM, "B"));
    EXPECT_FALSE(m_registry.WriteKeys(HKLM, {{"C\\ok", {}}, {LevelPath(513), {}}}));
    EXPECT_FALSE(m_registry.OpenKey(HKLM, "C"));
    EXPECT_FALSE(m_registry.OpenKey(HKLM, LevelPath(513)));
    EXPECT_FALSE(m_registry.OpenKey(HKLM, LevelPath(60000)));

    // Counted from the hive, also below an open key.
    auto pDeep = m_registry.CreateKey(HKLM, LevelPath(500), disposition);
    ASSERT_TRUE(pDeep);
    EXPECT_FALSE(pDeep->CreateSubKey("a\\b\\c\\d\\e\\f\\g\\h\\i\\j\\k\\l\\m"));
    EXPECT_TRUE(pDeep->CreateSubKey("a\\b\\c\\d\\e\\f\\g\\h\\i\\j\\k\\l"));
    EXPECT_FALSE(pDeep->CreateSubKey(std::string(256, 'y')));
}

// A lookup starts from the keys of the one before; a key deleted and made
// again meanwhile, here or by another process, is still found where it is.
TEST_F(SqliteRegistryTest, LookupsFollowKeysDeletedAndMadeAgain)
{
    CSqliteRegistry other(m_sandbox.RegistryFolder().string());
    ASSERT_TRUE(m_registry.SetValue(HKLM, "A\\B\\C", {"v", REG_TYPE_SZ, {"1\0", 2}}));
    EXPECT_EQ(ReadString(HKLM, "A\\B\\C", "v"), std::string("1\0", 2));
    ASSERT_TRUE(other.DeleteKey(HKLM, "A\\B"));
    EXPECT_EQ(ReadString(HKLM, "a\\b\\c", "v"), "<absent>");
    ASSERT_TRUE(other.SetValue(HKLM, "A\\B\\C", {"v", REG_TYPE_SZ, {"2\0", 2}}));
    EXPECT_EQ(ReadString(HKLM, "A\\B\\C", "v"), std::string("2\0", 2));
    ASSERT_TRUE(m_registry.DeleteKey(HKLM, "A\\B\\C"));
    EXPECT_FALSE(m_registry.OpenKey(HKLM, "A\\B\\C"));
    EXPECT_TRUE(m_registry.OpenKey(HKLM, "A\\b"));
    EXPECT_FALSE(m_registry.OpenKey(HKLM, "A\\X"));
    EXPECT_TRUE(m_registry.OpenKey(HKLM, "A"));
}
} // namespace
