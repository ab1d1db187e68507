#include "Win32TestFixture.h"

#include <cstring>
#include <windows.h>

namespace
{
const std::string KEY = "Software\\Halvorne Software\\Scrubix\\Settings";

bool RealKeyExists(HKEY hRoot, const std::string& strPath)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(hRoot, strPath.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}
} // namespace

TEST_F(Win32Test, CreateReportsTheDispositionAndStaysUnderTheScratchKey)
{
    EKeyDisposition disposition = EKeyDisposition::OpenedExistingKey;
    ASSERT_NE(Registry().CreateKey(ERegistryHive::LocalMachine, KEY, disposition), nullptr);
    EXPECT_EQ(disposition, EKeyDisposition::CreatedNewKey);
    ASSERT_NE(Registry().CreateKey(ERegistryHive::LocalMachine,
                                   "software\\HALVORNE software\\scrubix\\settings", disposition),
              nullptr);
    EXPECT_EQ(disposition, EKeyDisposition::OpenedExistingKey) << "key names ignore case";

    // The other hive is another tree.
    EXPECT_EQ(Registry().OpenKey(ERegistryHive::CurrentUser, KEY), nullptr);

    const std::string strScratch = std::string(std::getenv("SCRUBIX_REGISTRY_ROOT")).substr(5);
    EXPECT_TRUE(RealKeyExists(HKEY_CURRENT_USER, strScratch + "\\HKLM\\" + KEY));
    EXPECT_FALSE(RealKeyExists(HKEY_LOCAL_MACHINE, "Software\\Halvorne Software"));
}

TEST_F(Win32Test, QueryNeedsRoomForTheNulAndCopiesNothingOtherwise)
{
    EKeyDisposition disposition;
    auto pKey = Registry().CreateKey(ERegistryHive::LocalMachine, KEY, disposition);
    ASSERT_NE(pKey, nullptr);
    ASSERT_TRUE(pKey->SetStringValue("MovePath", "C:\\Bak"));

    char buffer[16];
    std::memset(buffer, '#', sizeof(buffer));
    size_t nRead = 0;
    uint32_t nType = 0;
    EXPECT_FALSE(pKey->QueryValue("MovePath", buffer, 6, nRead, nType));
    EXPECT_EQ(buffer[0], '#');
    ASSERT_TRUE(pKey->QueryValue("MovePath", buffer, 7, nRead, nType));
    EXPECT_EQ(nRead, 7u);
    EXPECT_EQ(nType, REG_TYPE_SZ);
    EXPECT_EQ(std::string(buffer, nRead), std::string("C:\\Bak", 7));
    EXPECT_FALSE(pKey->QueryValue("Absent", buffer, sizeof(buffer), nRead, nType));

    auto pReader = Registry().OpenKey(ERegistryHive::LocalMachine, KEY);
    ASSERT_NE(pReader, nullptr);
    EXPECT_TRUE(pReader->QueryValue("movepath", buffer, sizeof(buffer), nRead, nType));
}

TEST_F(Win32Test, ToolOperationsEnumerateAndDeleteWholeTrees)
{
    const std::string strBase = "Software\\Halvorne Software\\Scrubix";
    ASSERT_TRUE(Registry().SetValue(ERegistryHive::CurrentUser, strBase + "\\Exten",
                                    {"Exten0", REG_TYPE_SZ, std::string("TMP", 4)}));
    ASSERT_TRUE(Registry().SetValue(ERegistryHive::CurrentUser, strBase + "\\Exten",
                                    {"Raw", 3, std::string("\x00\x01\xff", 3)}));
    ASSERT_TRUE(Registry().SetValue(ERegistryHive::CurrentUser, strBase + "\\List\\Deep",
                                    {"", REG_TYPE_SZ, std::string("d", 2)}));

    std::vector<SRegistryValue> values;
    ASSERT_TRUE(Registry().EnumValues(ERegistryHive::CurrentUser, strBase + "\\Exten", values));
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].strData, std::string("TMP", 4));
    EXPECT_EQ(values[1].nType, 3u);
    EXPECT_EQ(values[1].strData, std::string("\x00\x01\xff", 3));

    std::vector<std::string> names;
    ASSERT_TRUE(Registry().EnumSubKeys(ERegistryHive::CurrentUser, strBase, names));
    EXPECT_EQ(names, (std::vector<std::string>{"Exten", "List"}));

    EXPECT_TRUE(Registry().DeleteValue(ERegistryHive::CurrentUser, strBase + "\\Exten", "Raw"));
    EXPECT_FALSE(Registry().DeleteValue(ERegistryHive::CurrentUser, strBase + "\\Exten", "Raw"));
    EXPECT_FALSE(Registry().DeleteKey(ERegistryHive::CurrentUser, "")) << "never a whole hive";
    EXPECT_TRUE(Registry().DeleteKey(ERegistryHive::CurrentUser, strBase + "\\List"));
    EXPECT_EQ(Registry().OpenKey(ERegistryHive::CurrentUser, strBase + "\\List\\Deep"), nullptr);
    EXPECT_NE(Registry().OpenKey(ERegistryHive::CurrentUser, strBase + "\\Exten"), nullptr);
}
