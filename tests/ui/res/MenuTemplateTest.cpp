#include "ui/res/MenuTemplate.h"

#include "ui/res/ResourceIds.h"
#include "ui/res/StringTable.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
TEST(MenuTemplateTest, MainMenuRowsInOrder)
{
    struct SRow
    {
        EMenuItemKind eKind;
        int32_t nId;
        std::string strText;
    };
    using enum EMenuItemKind;
    const std::vector<SRow> expected = {
        {Popup, 0, "&File"},
        {Item, 32771, "&Search\tF3"},
        {Item, 32774, "&Purge\tDel"},
        {Item, 32775, "&Move\tHome"},
        {Item, 32773, "&Cancel\tEsc"},
        {Item, 32772, "&Options...\tF2"},
        {Separator, 0, ""},
        {Item, 57665, "E&xit"},
        {Popup, 0, "&Help"},
        {Item, 57667, "&Help Topics"},
        {Separator, 0, ""},
        {Item, 57664, "&About Scrubix..."},
    };
    const auto menu = GetMainMenu();
    ASSERT_EQ(menu.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(menu[i].eKind, expected[i].eKind) << i;
        EXPECT_EQ(menu[i].nCommandId, expected[i].nId) << i;
        EXPECT_EQ(menu[i].pszText, expected[i].strText) << i;
    }
}

TEST(MenuTemplateTest, ProgramKeysHaveNoModifier)
{
    struct SKey
    {
        EAcceleratorKey eKey;
        int32_t nId;
    };
    using enum EAcceleratorKey;
    const SKey programKeys[] = {{F3, ID_SEARCH},
                                {Delete, ID_PURGE},
                                {Home, ID_MOVE},
                                {Escape, ID_CANCEL},
                                {F2, ID_OPTIONS}};
    int nProgram = 0;
    for (const SAccelerator& accel : GetAccelerators())
    {
        if (!accel.bProgramCommand)
        {
            // The framework's keys never reach one of the program's commands.
            EXPECT_TRUE(accel.nCommandId < ID_SEARCH || accel.nCommandId > ID_MOVE);
            continue;
        }
        ++nProgram;
        bool bFound = false;
        for (const SKey& key : programKeys)
        {
            if (key.eKey == accel.eKey && key.nId == accel.nCommandId)
            {
                bFound = true;
            }
        }
        EXPECT_TRUE(bFound) << accel.nCommandId;
        EXPECT_EQ(accel.nModifiers, ACCEL_NONE);
    }
    EXPECT_EQ(nProgram, 5);
    EXPECT_EQ(GetAccelerators().size(), 18u);
}

TEST(MenuTemplateTest, ToolbarOrderAndIcons)
{
    const int32_t expected[] = {ID_SEARCH,  ID_PURGE, ID_MOVE,     ID_CANCEL,
                                ID_OPTIONS, 0,        ID_APP_ABOUT};
    const auto toolbar = GetToolbarButtons();
    ASSERT_EQ(toolbar.size(), std::size(expected));
    for (size_t i = 0; i < toolbar.size(); ++i)
    {
        EXPECT_EQ(toolbar[i].nCommandId, expected[i]);
        EXPECT_EQ(toolbar[i].pszIcon == nullptr, expected[i] == 0);
    }
}

TEST(MenuTemplateTest, PromptsSplitIntoStatusTextAndToolTip)
{
    struct SPrompt
    {
        int32_t nId;
        const char* pszStatus;
        const char* pszTip;
    };
    const SPrompt prompts[] = {
        {ID_SEARCH, "Search", "Search"},
        {ID_OPTIONS, "Options", "Options"},
        {ID_CANCEL, "Cancel", "Cancel"},
        {ID_PURGE, "Purge", "Purge"},
        {ID_MOVE, "Move", "Move"},
        {ID_APP_EXIT, "Quit the application", "Exit"},
        {ID_APP_ABOUT, "Display program information, version number and copyright", "About"},
        {AFX_IDS_IDLEMESSAGE, "Ready", ""},
        {12345, "", ""},
    };
    for (const SPrompt& prompt : prompts)
    {
        EXPECT_EQ(StatusPrompt(prompt.nId), prompt.pszStatus) << prompt.nId;
        EXPECT_EQ(ToolTip(prompt.nId), prompt.pszTip) << prompt.nId;
    }
    EXPECT_EQ(FindString(IDR_MAINFRAME), APP_TITLE);
}
} // namespace
