// Values longer than the store's read limit of 259 characters: they cannot be
// read, but they are there, so they never end a list and are never replaced
// by a default at start-up.
#include "SettingsTestFixture.h"

namespace
{
constexpr const char* SETTINGS = "Settings";
const std::string LONG_ENTRY(300, 'x');
const std::string LONGEST_READABLE(259, 'r');

using LongValueTest = SettingsTest;
using Strings = std::vector<std::string>;

TEST_F(LongValueTest, ReadStringTellsAbsentFromTooLong)
{
    OpenSettingsStore(m_store, m_fileSystem);
    m_store.SetString(SETTINGS, "Fits", LONGEST_READABLE);
    m_store.SetString(SETTINGS, "TooLong", std::string(260, 'b'));
    m_store.SetString(SETTINGS, "Blank", "");
    const struct
    {
        const char* pSection;
        const char* pName;
        EStoredValue expected;
        std::string strText;
    } cases[] = {
        {SETTINGS, "Fits", EStoredValue::Found, LONGEST_READABLE},
        {SETTINGS, "TooLong", EStoredValue::TooLong, ""},
        {SETTINGS, "Blank", EStoredValue::Found, ""},
        {SETTINGS, "Missing", EStoredValue::Absent, ""},
        {"NoSuchSection", "Fits", EStoredValue::Absent, ""},
    };
    for (const auto& c : cases)
    {
        std::string strText = "stale";
        EXPECT_EQ(m_store.ReadString(c.pSection, c.pName, strText), c.expected) << c.pName;
        EXPECT_EQ(strText, c.strText) << c.pName;
    }
    EXPECT_FALSE(m_store.IsUnreadable());
}

// Stored values of the Excludes, in slot order ("" is a blank value, LONG a
// value too long to read), and the list each start loads from them.
TEST_F(LongValueTest, ATooLongEntryIsSkippedAndTheEntriesAfterItStay)
{
    const std::string LONG = "<long>";
    const struct
    {
        Strings stored;
        Strings loaded;
    } cases[] = {
        {{"a.txt", LONG, "b.txt", "c.txt"}, {"a.txt", "b.txt", "c.txt"}},
        {{LONG, "b.txt"}, {"b.txt"}},
        {{LONG, LONG, "b.txt", LONG}, {"b.txt"}},
        {{"a.txt", LONG, "", "c.txt"}, {"a.txt"}},              // a blank still ends the list
        {{LONG}, {"uninstall.log", "install.log", "data.bak"}}, // nothing readable: defaults
    };
    for (const auto& c : cases)
    {
        CSandboxDrive sandbox;
        const SPlatform platform = CreatePlatform();
        CSettingsStore store(*platform.pRegistry);
        OpenSettingsStore(store, *platform.pFileSystem);
        store.SetInt(SETTINGS, "22", 1);
        for (size_t n = 0; n < c.stored.size(); ++n)
            store.SetString("Exclude", "Exclude" + std::to_string(n),
                            c.stored[n] == LONG ? LONG_ENTRY : c.stored[n]);
        sandbox.MakeFolder("C:\\Tools");
        CCurrentFolderGuard folder(sandbox.HostPath("C:\\Tools"));
        CScrubixDoc doc(store, *platform.pFileSystem);
        doc.LoadSettings();
        EXPECT_EQ(doc.Lists[LIST_EXCLUDE], c.loaded)
            << "stored " << ::testing::PrintToString(c.stored);

        // Saved and loaded again, the list is the same and so is every long
        // value: a save never lets a skipped slot hide what follows it.
        doc.SaveSettings();
        CScrubixDoc again(store, *platform.pFileSystem);
        again.LoadSettings();
        EXPECT_EQ(again.Lists[LIST_EXCLUDE], c.loaded);
        for (size_t n = 0; n < c.stored.size(); ++n)
        {
            std::string strText;
            if (c.stored[n] == LONG)
            {
                EXPECT_EQ(store.ReadString("Exclude", "Exclude" + std::to_string(n), strText),
                          EStoredValue::TooLong)
                    << "slot " << n;
            }
        }
    }
}

TEST_F(LongValueTest, SavingAroundALongValueWritesPastItAndBlanksBehindIt)
{
    auto pDoc = StartFrom("C:\\Tools");
    m_store.SetString("File", "File0", "C:\\a.doc");
    m_store.SetString("File", "File1", LONG_ENTRY);
    m_store.SetString("File", "File2", "C:\\b.doc");
    m_store.SetString("File", "File3", "C:\\c.doc");
    m_store.SetString("File", "File4", LONG_ENTRY);
    m_store.SetString("File", "File5", "C:\\d.doc");

    pDoc = StartFrom("C:\\Tools");
    ASSERT_EQ(pDoc->Lists[LIST_FILE],
              (Strings{"C:\\a.doc", "C:\\b.doc", "C:\\c.doc", "C:\\d.doc"}));
    pDoc->Lists[LIST_FILE] = {"C:\\new.doc"};
    pDoc->SaveSettings();
    EXPECT_EQ(Stored("File", "File0"), "C:\\new.doc");
    EXPECT_EQ(Stored("File", "File2"), "");
    EXPECT_EQ(Stored("File", "File3"), "");
    EXPECT_EQ(Stored("File", "File5"), "") << "blanking goes on past a long value";
    pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Lists[LIST_FILE], (Strings{"C:\\new.doc"}));

    pDoc->Lists[LIST_FILE] = {"C:\\1", "C:\\2", "C:\\3"};
    pDoc->SaveSettings();
    EXPECT_EQ(Stored("File", "File0"), "C:\\1");
    EXPECT_EQ(Stored("File", "File2"), "C:\\2");
    EXPECT_EQ(Stored("File", "File3"), "C:\\3");
    pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Lists[LIST_FILE], (Strings{"C:\\1", "C:\\2", "C:\\3"}));
}

TEST_F(LongValueTest, ALongMovePathIsNotReplacedByTheDefault)
{
    OpenSettingsStore(m_store, m_fileSystem);
    const std::string strLongFolder = "C:\\" + std::string(280, 'm');
    m_store.SetString(SETTINGS, "MovePath", strLongFolder);
    auto pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->MovePath, "C:\\Tools\\Bak") << "what cannot be read is not used";
    std::string strText;
    EXPECT_EQ(m_store.ReadString(SETTINGS, "MovePath", strText), EStoredValue::TooLong);
    pDoc->StoreMissingSettings();
    EXPECT_EQ(m_store.ReadString(SETTINGS, "MovePath", strText), EStoredValue::TooLong);

    // A blank one is replaced as before.
    m_store.SetString(SETTINGS, "MovePath", "");
    pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(Stored(SETTINGS, "MovePath"), "C:\\Tools\\Bak");
}
} // namespace
