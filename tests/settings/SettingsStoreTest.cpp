#include "SettingsTestFixture.h"

namespace
{
constexpr const char* SETTINGS = "Settings";

using SettingsStoreTest = SettingsTest;

TEST_F(SettingsStoreTest, EmptyStoreReadsDefaultsAndFirstWriteCreatesTheSection)
{
    OpenSettingsStore(m_store, m_fileSystem);
    EXPECT_EQ(m_store.GetBaseKey(), "Software\\Halvorne Software\\Scrubix");
    EXPECT_EQ(m_store.GetInt(SETTINGS, "Zero", 7), 7);
    EXPECT_EQ(m_store.GetString(SETTINGS, "MovePath", "dflt"), "dflt");
    EXPECT_EQ(m_registry.OpenKey(ERegistryHive::LocalMachine, ComposeBaseKeyPath() + "\\Settings"),
              nullptr);

    EXPECT_TRUE(m_store.SetInt(SETTINGS, "Zero", -12));
    EXPECT_EQ(m_store.GetInt(SETTINGS, "Zero", 7), -12);
    EXPECT_EQ(m_store.GetString(SETTINGS, "Zero", ""), "-12");
}

TEST_F(SettingsStoreTest, IntegersParseLeadingDigitsElseDefault)
{
    OpenSettingsStore(m_store, m_fileSystem);
    const struct
    {
        const char* pText;
        int32_t nExpected;
    } cases[] = {{"12abc", 12}, {"abc", 99}, {"", 99},  {"  7", 7},
                 {"-3x", -3},   {"+4", 4},   {"-", 99}, {"99999999999", 2147483647}};
    for (const auto& c : cases)
    {
        m_store.SetString(SETTINGS, "Value", c.pText);
        EXPECT_EQ(m_store.GetInt(SETTINGS, "Value", 99), c.nExpected) << '"' << c.pText << '"';
    }
}

TEST_F(SettingsStoreTest, ValuesLongerThan259CharactersReadAsTheDefault)
{
    OpenSettingsStore(m_store, m_fileSystem);
    m_store.SetString(SETTINGS, "Fits", std::string(259, 'a'));
    m_store.SetString(SETTINGS, "TooLong", std::string(260, 'b'));
    m_store.SetString(SETTINGS, "MovePath", std::string(300, 'c'));
    EXPECT_EQ(m_store.GetString(SETTINGS, "Fits", "d"), std::string(259, 'a'));
    EXPECT_EQ(m_store.GetString(SETTINGS, "TooLong", "d"), "d");
    EXPECT_EQ(m_store.GetString(SETTINGS, "MovePath", "d"), "d");
}

TEST_F(SettingsStoreTest, IniSeedsANewKeyOnlyOnce)
{
    WriteIni("Zero=0\n" // before any header: skipped
             "[Settings]\n"
             "Zero=1\n"
             "  Anomaly = 1  \n" // name "Anomaly ", text " 1"
             "[Exten]\n"
             "Exten0=XYZ\n"
             "[Bogus] tail\n" // not a header, no "=": ignored
             "Exten1=ABC\n"
             "; comment\n");
    auto pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Zero, 1);
    EXPECT_EQ(pDoc->Anomaly, 0);
    EXPECT_EQ(Stored(SETTINGS, "Anomaly "), " 1");
    EXPECT_EQ(pDoc->Lists[LIST_EXTEN], (std::vector<std::string>{"XYZ", "ABC"}));
    EXPECT_EQ(m_registry.OpenKey(ERegistryHive::LocalMachine, ComposeBaseKeyPath() + "\\Bogus"),
              nullptr);

    // Once the key exists, a changed INI file is never read again.
    WriteIni("[Settings]\nZero=0\nScroll=1\n");
    pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Zero, 1);
    EXPECT_EQ(pDoc->Scroll, 0);
}

TEST_F(SettingsStoreTest, IniLinesLongerThan519CharactersAreReadInPieces)
{
    // The second piece of the long line starts with "Tail=", so it is a line of
    // its own.
    WriteIni("[Settings]\nLong=" + std::string(514, 'x') + "Tail=yes\r\n");
    StartFrom("C:\\Tools");
    EXPECT_EQ(Stored(SETTINGS, "Long"), "<absent>") << "value too long to read back";
    EXPECT_EQ(Stored(SETTINGS, "Tail"), "yes");
}
} // namespace
