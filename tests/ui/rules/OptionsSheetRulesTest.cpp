#include "ui/rules/OptionsSheetRules.h"

#include "settings/SettingsTestFixture.h"

namespace
{
using OptionsSheetRulesTest = SettingsTest;

TEST(OptionsSheetPagesTest, AllTenPagesWhileIdleOnlyPurgeMoveOtherwise)
{
    std::vector<std::string> captions;
    for (EOptionsPage page : OptionsPagesFor(ViewState::Idle))
        captions.push_back(OptionsPageCaption(page));
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Excludes", "Filters", "Directeds", "Files to Delete",
                                        "Folders to Delete", "Extensions", "Purge/Move",
                                        "Run Options", "Other Settings", "Age"}));
    EXPECT_EQ(OptionsPagesFor(ViewState::Results),
              (std::vector<EOptionsPage>{EOptionsPage::PurgeMove}));
    EXPECT_EQ(ListKindOf(EOptionsPage::Extensions), LIST_EXTEN);
    EXPECT_EQ(ListKindOf(EOptionsPage::FilesToDelete), LIST_FILE);
    EXPECT_FALSE(IsListPage(EOptionsPage::PurgeMove));
}

SOptionsValues EveryValueChanged(const SOptionsValues& values)
{
    SOptionsValues changed = values;
    for (int32_t* pValue :
         {&changed.ExcludeCase, &changed.IE, &changed.IEURL, &changed.Move, &changed.RecycleRadio,
          &changed.WarnMe, &changed.Overwrite, &changed.Visible, &changed.Run, &changed.Anomaly,
          &changed.Deletereadonly, &changed.Zero, &changed.Scroll})
        *pValue = 1 - *pValue;
    changed.MovePath = "C:\\Elsewhere";
    changed.MinAge = values.MinAge + 45;
    return changed;
}

TEST_F(OptionsSheetRulesTest, CopyOutWhileIdleTakesEveryValue)
{
    auto pDoc = StartFrom("C:\\Tools");
    const SOptionsValues changed = EveryValueChanged(CopyIntoSheet(*pDoc));
    CopyOutOfSheet(changed, ViewState::Idle, *pDoc);
    EXPECT_EQ(CopyIntoSheet(*pDoc), changed);
}

TEST_F(OptionsSheetRulesTest, CopyOutWithResultsTakesOnlyThePurgeMoveValues)
{
    auto pDoc = StartFrom("C:\\Tools");
    const SOptionsValues before = CopyIntoSheet(*pDoc);
    const SOptionsValues changed = EveryValueChanged(before);
    CopyOutOfSheet(changed, ViewState::Results, *pDoc);

    SOptionsValues expected = before;
    expected.Move = changed.Move;
    expected.RecycleRadio = changed.RecycleRadio;
    expected.WarnMe = changed.WarnMe;
    expected.Overwrite = changed.Overwrite;
    expected.MovePath = changed.MovePath;
    EXPECT_EQ(CopyIntoSheet(*pDoc), expected);
}

TEST(OptionsSheetPagesTest, ActionTextFollowsMove)
{
    EXPECT_STREQ(ActionButtonText(1), "Purge Files");
    EXPECT_STREQ(ActionButtonText(0), "Move Files");
    // A stored Move outside 0 and 1 purges, and the button says so.
    EXPECT_STREQ(ActionButtonText(2), "Purge Files");
    EXPECT_STREQ(ActionButtonText(-1), "Purge Files");
}
} // namespace
