#include "ui/rules/EntryRules.h"

#include "platform/Platform.h"
#include "support/CSandboxDrive.h"
#include "support/PlatformTraits.h"
#include "ui/rules/OptionsTexts.h"

#include <gtest/gtest.h>

namespace
{
enum class EExpect
{
    Pass,
    Null,
    Wildcard,
    QuestionMark,
    TooLong,
};

struct SEntryCase
{
    std::string strText;
    bool bExcludeMode;
    EExpect eExpect;
};

const char* ExpectedText(EExpect eExpect)
{
    switch (eExpect)
    {
    case EExpect::Null:
        return TEXT_NULL_ENTRY;
    case EExpect::Wildcard:
        return TEXT_WILDCARD_FORM;
    case EExpect::QuestionMark:
        return TEXT_QUESTION_MARK;
    case EExpect::TooLong:
        return TEXT_ENTRY_TOO_LONG;
    case EExpect::Pass:
        break;
    }
    return "";
}

class EntryTextTest : public ::testing::TestWithParam<SEntryCase>
{
};

TEST_P(EntryTextTest, RefusesOrPassesWithTheExactMessage)
{
    const SEntryCase& entry = GetParam();
    const std::optional<SPrompt> refusal = CheckEntryText(entry.strText, entry.bExcludeMode);
    if (entry.eExpect == EExpect::Pass)
    {
        EXPECT_FALSE(refusal) << refusal->strText;
        return;
    }
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->eButtons, EPromptButtons::Ok);
    EXPECT_EQ(refusal->strText, ExpectedText(entry.eExpect));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryTextTest,
    ::testing::Values(
        // Both entry-dialog pages.
        SEntryCase{"", true, EExpect::Null}, SEntryCase{"", false, EExpect::Null},
        SEntryCase{" ", true, EExpect::Pass}, SEntryCase{" ", false, EExpect::Pass},
        // Exclude forms.
        SEntryCase{"*.tmp", true, EExpect::Pass}, SEntryCase{"*.", true, EExpect::Pass},
        SEntryCase{"*.tar.gz", true, EExpect::Pass}, SEntryCase{"*.t?p", true, EExpect::Pass},
        SEntryCase{"x*.tmp", true, EExpect::Wildcard}, SEntryCase{"*tmp", true, EExpect::Wildcard},
        SEntryCase{"**.tmp", true, EExpect::Wildcard}, SEntryCase{"*.t*", true, EExpect::Wildcard},
        SEntryCase{".*tmp", true, EExpect::Wildcard}, SEntryCase{"*", true, EExpect::Wildcard},
        SEntryCase{"file?.txt", true, EExpect::QuestionMark},
        SEntryCase{"file.txt", true, EExpect::Pass},
        SEntryCase{" install.log ", true, EExpect::Pass},
        // Extensions: no form checks.
        SEntryCase{"*.tmp", false, EExpect::Pass}, SEntryCase{"a?b", false, EExpect::Pass},
        SEntryCase{"x*.t*", false, EExpect::Pass},
        // What the store can read back.
        SEntryCase{std::string(259, 'a'), false, EExpect::Pass},
        SEntryCase{std::string(260, 'a'), false, EExpect::TooLong},
        SEntryCase{"*." + std::string(258, 'a'), true, EExpect::TooLong}));

TEST(EntryRulesTest, DeleteQuestionsOfExcludesMatchLetterCase)
{
    ASSERT_TRUE(ExcludeDeleteQuestion("install.log"));
    EXPECT_EQ(*ExcludeDeleteQuestion("install.log"), YesNoPrompt(TEXT_INSTALL_LOG_REMOVE));
    ASSERT_TRUE(ExcludeDeleteQuestion("data.bak"));
    EXPECT_EQ(*ExcludeDeleteQuestion("data.bak"), YesNoPrompt(TEXT_DATA_BAK_REMOVE));
    EXPECT_FALSE(ExcludeDeleteQuestion("Install.log"));
    EXPECT_FALSE(ExcludeDeleteQuestion("INSTALL.LOG"));
    EXPECT_FALSE(ExcludeDeleteQuestion("uninstall.log"));
    EXPECT_FALSE(ExcludeDeleteQuestion("data.bak "));
}

struct SFilterDeleteCase
{
    std::string strEntry;
    std::vector<std::string> expected;
};

TEST(EntryRulesTest, FilterDeleteQuestionsProtectDefaultsAndMailFolders)
{
    const std::vector<std::string> defaults = {"C:\\Recycler", "C:\\WINNT\\REPAIR"};
    const SFilterDeleteCase cases[] = {
        {"C:\\Recycler", {TEXT_RECYCLE_REMOVE}},
        {"c:\\RECYCLER", {TEXT_RECYCLE_REMOVE}},
        {"C:\\winnt\\repair", {TEXT_REPAIR_REMOVE}},
        {"D:\\RECYCLED", {}}, // not a default
        {"C:\\REPAIR", {}},
        {"C:\\PROGRAM FILES\\NETSCAPE\\USERS\\X\\MAIL", {TEXT_NETSCAPE_MAIL_REMOVE}},
        {"C:\\PROGRAM FILES\\NETSCAPE\\USERS\\X", {}},
        {"C:\\Mail\\Netscape", {TEXT_NETSCAPE_MAIL_REMOVE}}, // either order
        {"C:\\NetscapeMail", {}},                            // no backslash before MAIL
    };
    for (const SFilterDeleteCase& filter : cases)
    {
        std::vector<std::string> texts;
        for (const SPrompt& prompt : FilterDeleteQuestions(filter.strEntry, defaults))
        {
            EXPECT_EQ(prompt.eButtons, EPromptButtons::YesNo);
            texts.push_back(prompt.strText);
        }
        EXPECT_EQ(texts, filter.expected) << filter.strEntry;
    }
}

TEST(EntryRulesTest, MissingDefaultQuestionsNameTheDefault)
{
    ASSERT_TRUE(MissingFilterDefaultPrompt("C:\\Recycler"));
    EXPECT_EQ(MissingFilterDefaultPrompt("C:\\Recycler")->strText,
              "The Recycle bin at\nC:\\Recycler\nis not in your Filters list.\n\nWould you like "
              "to add it?\n(The recommended answer is \"Yes\".)");
    ASSERT_TRUE(MissingFilterDefaultPrompt("C:\\WINNT\\REPAIR"));
    EXPECT_EQ(MissingFilterDefaultPrompt("C:\\WINNT\\REPAIR")->eButtons, EPromptButtons::YesNo);
    EXPECT_NE(MissingFilterDefaultPrompt("C:\\WINNT\\REPAIR")->strText.find("Repair Folder"),
              std::string::npos);
    EXPECT_FALSE(MissingFilterDefaultPrompt("C:\\Temp"));
}

class FolderPathTest : public ::testing::Test
{
protected:
    CSandboxDrive m_sandbox;
    SPlatform m_platform = CreatePlatform();
};

struct SPathCase
{
    std::string strPath;
    bool bFoldersToDelete;
    EPathVerdict eVerdict;
    std::string strText;
};

TEST_F(FolderPathTest, RootsMissingFoldersAndTheOperatingSystem)
{
    m_sandbox.Build({"C:\\Data\\", "C:\\WINNT\\PROFILES\\", "C:\\My Windows Stuff\\"});
    const SPathCase cases[] = {
        {"C:\\", false, EPathVerdict::Refuse,
         "String C:\\ is a root folder and not a valuable filter."},
        {"c:", true, EPathVerdict::Refuse, "String c: is a root folder and not a valuable filter."},
        {"C:\\Nothing", false, EPathVerdict::Refuse, "String\n C:\\Nothing\n is invalid."},
        {"C:\\Nothing\\", true, EPathVerdict::Refuse, "String\n C:\\Nothing\\\n is invalid."},
        {"C:\\Data", false, EPathVerdict::Add, ""},
        {"C:\\Data\\", true, EPathVerdict::Add, ""},
        {"C:\\WINNT\\PROFILES", false, EPathVerdict::Add, ""},
        {"C:\\WINNT\\PROFILES", true, EPathVerdict::AskThenAdd,
         "The Path \nC:\\WINNT\\PROFILES\n is for your computer's operating system.\n\nAre you "
         "sure you want to delete it and its files/sub-folders?"},
        {"C:\\My Windows Stuff\\", true, EPathVerdict::AskThenAdd,
         "The Path \nC:\\My Windows Stuff\\\n is for your computer's operating system.\n\nAre you "
         "sure you want to delete it and its files/sub-folders?"},
    };
    for (const SPathCase& path : cases)
    {
        const SPathVerdict verdict =
            CheckFolderPath(path.strPath, path.bFoldersToDelete, *m_platform.pFileSystem);
        EXPECT_EQ(verdict.eVerdict, path.eVerdict) << path.strPath;
        EXPECT_EQ(verdict.prompt.strText, path.strText) << path.strPath;
        if (verdict.eVerdict != EPathVerdict::Add)
        {
            EXPECT_EQ(verdict.prompt.eButtons, verdict.eVerdict == EPathVerdict::AskThenAdd
                                                   ? EPromptButtons::YesNo
                                                   : EPromptButtons::Ok);
        }
    }
}

// "." and ".." are resolved before any test: a root in disguise is refused as
// a root, a path that needs a current folder is invalid, and the operating
// system question looks at the folder that would be deleted.
TEST_F(FolderPathTest, DotsAreResolvedBeforeEveryCheck)
{
    m_sandbox.Build({"C:\\Data\\Sub\\", "C:\\WINNT\\PROFILES\\", "C:\\etc\\"});
    const std::string ROOT = " is a root folder and not a valuable filter.";
    const std::string OS = "The Path \n";
    const struct
    {
        std::string strPath;
        EPathVerdict eVerdict;
        std::string strTextStart; // of the prompt; empty for Add
        std::string strEntry;     // added; empty for a refusal
    } cases[] = {
        {"C:\\.", EPathVerdict::Refuse, "String C:\\." + ROOT, ""},
        {"C:\\etc\\..", EPathVerdict::Refuse, "String C:\\etc\\.." + ROOT, ""},
        {"C:\\etc\\..\\", EPathVerdict::Refuse, "String C:\\etc\\..\\" + ROOT, ""},
        {"C:\\..\\Data", EPathVerdict::Refuse, "String C:\\..\\Data" + ROOT, ""},
        {"C:\\\\\\", EPathVerdict::Refuse, "String C:\\\\\\" + ROOT, ""},
        {"C:/./", EPathVerdict::Refuse, "String C:/./" + ROOT, ""},
        {"..\\..\\..", EPathVerdict::Refuse, "String\n ..\\..\\..\n is invalid.", ""},
        {"C:Data", EPathVerdict::Refuse, "String\n C:Data\n is invalid.", ""},
        {"C:\\Data\\Sub\\..", EPathVerdict::Add, "", "C:\\Data"},
        {"C:\\Data\\.\\Sub\\", EPathVerdict::Add, "", "C:\\Data\\Sub"},
        {"C:/Data/Sub", EPathVerdict::Add, "", "C:\\Data\\Sub"},
        {"C:\\Data\\", EPathVerdict::Add, "", "C:\\Data\\"}, // kept as chosen
        {"C:\\WINNT\\..\\Data", EPathVerdict::Add, "", "C:\\Data"},
        {"C:\\Data\\..\\WINNT\\PROFILES", EPathVerdict::AskThenAdd,
         OS + "C:\\Data\\..\\WINNT\\PROFILES\n", "C:\\WINNT\\PROFILES"},
    };
    for (const auto& c : cases)
    {
        const SPathVerdict verdict = CheckFolderPath(c.strPath, true, *m_platform.pFileSystem);
        EXPECT_EQ(verdict.eVerdict, c.eVerdict) << c.strPath;
        EXPECT_EQ(verdict.prompt.strText.rfind(c.strTextStart, 0), 0u)
            << c.strPath << ": " << verdict.prompt.strText;
        EXPECT_EQ(verdict.strEntry, c.strEntry) << c.strPath;
    }
    // The Filters page refuses the same roots.
    EXPECT_EQ(CheckFolderPath("C:\\etc\\..", false, *m_platform.pFileSystem).eVerdict,
              EPathVerdict::Refuse);
}

TEST_F(FolderPathTest, AnExistingFolderTooLongForTheStoreIsRefused)
{
    if (RunsUnderWine())
        GTEST_SKIP() << "a folder path past 260 characters cannot be made through the Win32 calls";
    const std::string strFolder = "C:\\" + std::string(120, 'a') + "\\" + std::string(140, 'b');
    m_sandbox.MakeFolder(strFolder);
    const SPathVerdict verdict = CheckFolderPath(strFolder, false, *m_platform.pFileSystem);
    EXPECT_EQ(verdict.eVerdict, EPathVerdict::Refuse);
    EXPECT_EQ(verdict.prompt, OkPrompt(TEXT_ENTRY_TOO_LONG));
}
} // namespace
