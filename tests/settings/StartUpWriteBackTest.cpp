// The start-up's write-back stores what the store does not hold and leaves
// what it holds alone, so values another process writes meanwhile survive.
#include "SettingsTestFixture.h"

namespace
{
constexpr const char* SETTINGS = "Settings";

using StartUpWriteBackTest = SettingsTest;
using Strings = std::vector<std::string>;

TEST_F(StartUpWriteBackTest, AFirstStartStoresEveryDefault)
{
    auto pDoc = StartFrom("C:\\Tools");
    pDoc->StoreMissingSettings();
    const struct
    {
        const char* pSection;
        const char* pName;
        const char* pExpected;
    } cases[] = {
        {"Exclude", "Exclude0", "uninstall.log"},
        {"Exclude", "Exclude1", "install.log"},
        {"Exclude", "Exclude2", "data.bak"},
        {"Filter", "Filter0", "C:\\WINNT\\REPAIR"},
        {SETTINGS, "ExcludeCase", "1"},
        {SETTINGS, "WarnMe", "1"},
        {SETTINGS, "Visible", "1"},
        {SETTINGS, "Zero", "0"},
        {SETTINGS, "NetPath", ""},
        {SETTINGS, "MovePath", "C:\\Tools\\Bak"},
        {"File", "File0", "<absent>"}, // an empty list has nothing to store
    };
    for (const auto& c : cases)
        EXPECT_EQ(Stored(c.pSection, c.pName), c.pExpected) << c.pSection << "\\" << c.pName;
}

TEST_F(StartUpWriteBackTest, ValuesWrittenByAnotherProcessMeanwhileSurvive)
{
    StartFrom("C:\\Tools")->StoreMissingSettings();
    auto pDoc = StartFrom("C:\\Tools");
    // Another process (scrubix-reg) writes between the start-up's reads and
    // its write-back.
    const struct
    {
        const char* pSection;
        const char* pName;
        const char* pText;
    } writes[] = {
        {SETTINGS, "Zero", "1"},
        {SETTINGS, "Anomaly", "1"},
        {SETTINGS, "MovePath", "C:\\Elsewhere"},
        {SETTINGS, "NetPath", "\\\\server"},
        {"Exclude", "Exclude0", "keep.me"},
        {"Filter", "Filter0", "C:\\Mine"},
    };
    for (const auto& w : writes)
        ASSERT_TRUE(m_registry.SetValue(
            ERegistryHive::LocalMachine, ComposeBaseKeyPath() + "\\" + w.pSection,
            SRegistryValue{w.pName, REG_TYPE_SZ, std::string(w.pText) + '\0'}));
    pDoc->StoreMissingSettings();
    for (const auto& w : writes)
        EXPECT_EQ(Stored(w.pSection, w.pName), w.pText) << w.pSection << "\\" << w.pName;
}

TEST_F(StartUpWriteBackTest, AListSavedEmptyIsNotRefilledWithDefaults)
{
    auto pDoc = StartFrom("C:\\Tools");
    pDoc->StoreMissingSettings();
    pDoc->Lists[LIST_EXCLUDE].clear();
    pDoc->SaveSettings();
    pDoc = StartFrom("C:\\Tools");
    pDoc->StoreMissingSettings();
    EXPECT_TRUE(pDoc->Lists[LIST_EXCLUDE].empty());
    EXPECT_EQ(Stored("Exclude", "Exclude0"), "");
    EXPECT_EQ(Stored("Exclude", SAVED_EMPTY_VALUE), "1");
}
} // namespace
