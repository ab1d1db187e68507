// Hive files locked against writing: the SQLite registry's file
// permissions have no counterpart in the Windows registry.
#include "SettingsTestFixture.h"

#include <cstdlib>

namespace
{
constexpr const char* SETTINGS = "Settings";

using SettingsStoreTest = SettingsTest;

TEST_F(SettingsStoreTest, ReadOnlyHiveStillReadsAndSilentlyKeepsNoChange)
{
    OpenSettingsStore(m_store, m_fileSystem);
    ASSERT_TRUE(m_store.SetInt(SETTINGS, "Zero", 1));
    const std::string strFolder = m_sandbox.RegistryFolder().string();
    // Root ignores permission bits; the immutable flag stops even root.
    const std::string strLock = "chattr +i '" + strFolder + "/HKLM.db' '" + strFolder + "'";
    const std::string strUnlock = "chattr -i '" + strFolder + "/HKLM.db' '" + strFolder + "'";
    if (std::system(strLock.c_str()) != 0)
        GTEST_SKIP() << "this file system has no immutable flag";
    {
        const SPlatform platform = CreatePlatform(); // a fresh view of the locked hive
        CSettingsStore store(*platform.pRegistry);
        OpenSettingsStore(store, m_fileSystem);
        CScrubixDoc doc(store, m_fileSystem);
        doc.LoadSettings(); // writes are attempted and silently fail
        EXPECT_EQ(doc.Zero, 1);
        EXPECT_FALSE(store.SetInt(SETTINGS, "Zero", 0));
        EXPECT_EQ(store.GetInt(SETTINGS, "Zero", 5), 1);
        EXPECT_EQ(store.GetString(SETTINGS, "Exten0", "none"), "none");
    }
    EXPECT_EQ(std::system(strUnlock.c_str()), 0);
}
} // namespace
