#include "ui/res/Templates.h"

#include "ui/res/ResourceIds.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace
{
struct SExpectedControl
{
    int32_t nId;
    EControlKind eKind;
    const char* pszText;
    int16_t nLeft, nTop, nWidth, nHeight;
};

void ExpectControls(const SDialogTemplate& dialog, std::initializer_list<SExpectedControl> expected)
{
    ASSERT_EQ(dialog.controls.size(), expected.size());
    size_t i = 0;
    for (const SExpectedControl& want : expected)
    {
        const SControlTemplate& got = dialog.controls[i++];
        SCOPED_TRACE(want.pszText);
        EXPECT_EQ(got.nId, want.nId);
        EXPECT_EQ(got.eKind, want.eKind);
        EXPECT_STREQ(got.pszText, want.pszText);
        EXPECT_EQ(got.nLeft, want.nLeft);
        EXPECT_EQ(got.nTop, want.nTop);
        EXPECT_EQ(got.nWidth, want.nWidth);
        EXPECT_EQ(got.nHeight, want.nHeight);
    }
}

using enum EControlKind;

TEST(TemplatesTest, FormLaysOutTheResultsView)
{
    const SDialogTemplate& form = GetFormTemplate();
    EXPECT_EQ(form.nId, IDD_SCRUBIX_FORM);
    EXPECT_EQ(form.nWidth, 386);
    EXPECT_EQ(form.nHeight, 226);
    EXPECT_EQ(form.nStyle & DIALOG_CAPTION, 0u);
    EXPECT_NE(form.nStyle & DIALOG_CHILD, 0u);
    ExpectControls(form,
                   {
                       {1011, ComboDropDownList, "", 4, 4, 55, 45},
                       {1000, DefPushButton, "Search", 69, 3, 50, 15},
                       {1004, DefPushButton, "Action", 129, 3, 50, 15},
                       {1005, DefPushButton, "Cancel", 189, 3, 50, 15},
                       {ID_STATIC, LabelRight, "Count Due To Extension Match", 4, 23, 101, 8},
                       {1001, LabelLeft, "Static", 115, 23, 50, 8},
                       {ID_STATIC, LabelRight, "Count Due To Zero Length", 9, 33, 95, 8},
                       {1002, LabelLeft, "Static", 115, 33, 50, 8},
                       {ID_STATIC, LabelRight, "Count Due To Explicit Direction", 4, 43, 100, 8},
                       {1013, LabelLeft, "Static", 115, 43, 50, 8},
                       {ID_STATIC, LabelRight, "Total Files Size to Delete", 9, 53, 95, 8},
                       {1003, LabelLeft, "Static", 115, 53, 50, 8},
                       {1009, LabelRight, "Searching Path", 9, 63, 95, 8},
                       {1007, LabelLeft, "Static", 116, 63, 263, 8},
                       {1010, LabelRight, "Candidate File", 9, 73, 95, 8},
                       {1008, LabelLeft, "Static", 116, 73, 263, 8},
                       {1006, ListView, "List1", 3, 86, 379, 138},
                   });
    const SControlTemplate* pDrive = form.FindControl(IDC_DRIVE_BOX);
    ASSERT_NE(pDrive, nullptr);
    EXPECT_NE(pDrive->nStyle & STYLE_SORTED, 0u);
    EXPECT_NE(pDrive->nStyle & STYLE_VSCROLL, 0u);
    // Value labels stay on one line.
    for (int32_t nId : {1001, 1002, 1013, 1003, 1007, 1008})
    {
        ASSERT_NE(form.FindControl(nId), nullptr);
        EXPECT_EQ(form.FindControl(nId)->nStyle & STYLE_WRAP, 0u) << nId;
    }
    EXPECT_NE(form.FindControl(IDC_RESULTS_LIST)->nStyle & STYLE_BORDER, 0u);
}

TEST(TemplatesTest, WelcomeOffersThreeChoicesWithoutCloseBox)
{
    const SDialogTemplate& welcome = GetWelcomeTemplate();
    EXPECT_EQ(welcome.nId, 140);
    EXPECT_STREQ(welcome.pszCaption, "Welcome to Scrubix!");
    EXPECT_EQ(welcome.nWidth, 186);
    EXPECT_EQ(welcome.nHeight, 193);
    EXPECT_NE(welcome.nStyle & DIALOG_CAPTION, 0u);
    EXPECT_EQ(welcome.nStyle & DIALOG_SYSMENU, 0u);
    ExpectControls(
        welcome,
        {
            {1, DefPushButton, "I Will Try Deletion Mode", 14, 130, 150, 14},
            {2, PushButton, "I Just Want to Move Files to the Recycle Bin", 14, 150, 150, 14},
            {3, PushButton, "I Need Help...", 14, 170, 150, 14},
            {ID_STATIC, LabelCentre,
             "Scrubix's usual operation is to search your drive for candidate unwanted files, "
             "show you the search results and then let you choose to Delete them (or cancel).",
             5, 5, 175, 27},
            {ID_STATIC, LabelCentre, "YOU ARE ALWAYS PROMPTED BEFORE \nANY DELETIONS TAKE PLACE.",
             4, 36, 172, 16},
            {ID_STATIC, LabelCentre,
             "As a new user you might wish to Move the candidate files to the Recycle Bin until "
             "you are more familiar with how Scrubix behaves. It's your choice.",
             4, 60, 175, 25},
            {ID_STATIC, LabelCentre,
             "Use the buttons below to choose the operation you wish to start with. You can "
             "always change later using the File > Options Dialog Box.",
             4, 95, 175, 25},
        });
}

TEST(TemplatesTest, PurgeWarningAsksAndOffersToStopAsking)
{
    const SDialogTemplate& warning = GetPurgeWarningTemplate();
    EXPECT_EQ(warning.nId, 137);
    EXPECT_STREQ(warning.pszCaption, "Purge Warning!");
    EXPECT_EQ(warning.nWidth, 217);
    EXPECT_EQ(warning.nHeight, 126);
    EXPECT_NE(warning.nStyle & DIALOG_SYSMENU, 0u);
    ExpectControls(
        warning,
        {
            {ID_STATIC, GroupBox, "Please Answer This Important Question", 5, 5, 205, 70},
            {ID_STATIC, LabelLeft,
             "You are about to permamently delete the checked files...\n\n---> Are you "
             "sure you want to do this?",
             15, 20, 185, 25},
            {1, DefPushButton, "Yes", 95, 55, 50, 14},
            {2, PushButton, "No", 150, 55, 50, 14},
            {ID_STATIC, GroupBox, "Reminders", 5, 80, 205, 40},
            {1028, CheckBox, "Don't show this warning in the future.", 15, 90, 145, 10},
            {ID_STATIC, LabelLeft, "(You can control this warning from the Options dialog box.)",
             15, 105, 190, 10},
        });
}

TEST(TemplatesTest, ProgressIsVisibleWithoutSystemMenu)
{
    const SDialogTemplate& progress = GetProgressTemplate();
    EXPECT_EQ(progress.nId, 110);
    EXPECT_STREQ(progress.pszCaption, "File Moving Progress");
    EXPECT_EQ(progress.nWidth, 243);
    EXPECT_EQ(progress.nHeight, 54);
    EXPECT_NE(progress.nStyle & DIALOG_VISIBLE, 0u);
    EXPECT_EQ(progress.nStyle & DIALOG_SYSMENU, 0u);
    ExpectControls(progress, {
                                 {1052, LabelLeft, "", 8, 12, 228, 8},
                                 {1049, ProgressBar, "", 10, 30, 225, 10},
                             });
    EXPECT_EQ(progress.FindControl(IDC_PROGRESS_FILE)->nStyle & STYLE_WRAP, 0u);
    EXPECT_NE(progress.FindControl(IDC_PROGRESS_BAR)->nStyle & STYLE_BORDER, 0u);
}

// The list pages' controls where their templates put them (dialog units).
TEST(TemplatesTest, ListPagesPlaceTheirControlsAlike)
{
    struct SPage
    {
        int32_t nTemplate;
        const char* pCaption;
        int32_t nList, nAdd, nEdit, nDelete, nDefaults;
        int16_t nListHeight;
    };
    const SPage pages[] = {
        {IDD_EXTEN_PAGE, "Extensions", IDC_EXTEN_LIST, IDC_EXTEN_ADD, IDC_EXTEN_EDIT,
         IDC_EXTEN_DELETE, IDC_EXTEN_DEFAULTS, 100},
        {IDD_FILTER_PAGE, "Filters", IDC_FILTER_LIST, IDC_FILTER_ADD, IDC_FILTER_EDIT,
         IDC_FILTER_DELETE, IDC_FILTER_DEFAULTS, 100},
        {IDD_EXCLUDE_PAGE, "Excludes", IDC_EXCLUDE_LIST, IDC_EXCLUDE_ADD, IDC_EXCLUDE_EDIT,
         IDC_EXCLUDE_DELETE, IDC_EXCLUDE_DEFAULTS, 100},
        {IDD_FILES_PAGE, "Files to Delete", IDC_FILES_LIST, IDC_FILES_ADD, 0, IDC_FILES_DELETE,
         IDC_FILES_DEFAULTS, 85},
        {IDD_FOLDERS_PAGE, "Folders to Delete", IDC_FOLDERS_LIST, IDC_FOLDERS_ADD, 0,
         IDC_FOLDERS_DELETE, IDC_FOLDERS_DEFAULTS, 85},
    };
    const auto rect = [](const SControlTemplate* p) {
        return std::vector<int>{p->nLeft, p->nTop, p->nWidth, p->nHeight};
    };
    for (const SPage& page : pages)
    {
        SCOPED_TRACE(page.pCaption);
        const SDialogTemplate* pDialog = FindTemplate(page.nTemplate);
        ASSERT_NE(pDialog, nullptr);
        EXPECT_STREQ(pDialog->pszCaption, page.pCaption);
        EXPECT_EQ(pDialog->nWidth, 287);
        EXPECT_EQ(pDialog->nHeight, 138);
        const SControlTemplate* pList = pDialog->FindControl(page.nList);
        ASSERT_NE(pList, nullptr);
        EXPECT_EQ(rect(pList), (std::vector<int>{10, 30, 200, page.nListHeight}));
        EXPECT_EQ(pList->nStyle & STYLE_SORTED, 0u);
        EXPECT_NE(pList->nStyle & STYLE_HSCROLL, 0u);
        EXPECT_EQ(rect(pDialog->FindControl(page.nAdd)), (std::vector<int>{215, 30, 65, 15}));
        EXPECT_EQ(rect(pDialog->FindControl(page.nDelete)), (std::vector<int>{215, 78, 65, 15}));
        EXPECT_NE(pDialog->FindControl(page.nDelete)->nStyle & STYLE_DISABLED, 0u);
        EXPECT_EQ(rect(pDialog->FindControl(page.nDefaults)), (std::vector<int>{215, 102, 65, 15}));
        if (page.nEdit != 0)
        {
            EXPECT_EQ(rect(pDialog->FindControl(page.nEdit)), (std::vector<int>{215, 54, 65, 15}));
            EXPECT_NE(pDialog->FindControl(page.nEdit)->nStyle & STYLE_DISABLED, 0u);
        }
    }
    EXPECT_NE(FindTemplate(IDD_FILTER_PAGE)->FindControl(IDC_FILTER_EDIT)->nStyle & STYLE_HIDDEN,
              0u);
    EXPECT_EQ(FindTemplate(IDD_FILES_PAGE)->FindControl(IDC_EXTEN_EDIT), nullptr);
    EXPECT_EQ(rect(FindTemplate(IDD_EXCLUDE_PAGE)->FindControl(IDC_EXCLUDE_IGNORE_CASE)),
              (std::vector<int>{217, 122, 65, 10}));
    EXPECT_EQ(FindTemplate(IDD_RUN_PAGE)->nHeight, 135);

    const SDialogTemplate* pEntry = FindTemplate(IDD_ENTRY);
    ASSERT_NE(pEntry, nullptr);
    EXPECT_STREQ(pEntry->pszCaption, "Add");
    EXPECT_EQ(pEntry->nWidth, 177);
    EXPECT_EQ(pEntry->nHeight, 45);
    EXPECT_EQ(rect(pEntry->FindControl(IDC_ENTRY_TEXT)), (std::vector<int>{5, 5, 165, 15}));
    EXPECT_EQ(rect(pEntry->FindControl(ID_RESULT_OK)), (std::vector<int>{65, 25, 50, 14}));
    EXPECT_EQ(pEntry->FindControl(ID_RESULT_OK)->eKind, DefPushButton);
    EXPECT_EQ(rect(pEntry->FindControl(ID_RESULT_CANCEL)), (std::vector<int>{121, 25, 50, 14}));
}

// Whatever template: ids unique, every control inside the template, every
// focusable control a tab stop with a name.
TEST(TemplatesTest, EveryTemplateIsConsistent)
{
    for (int32_t nId :
         {IDD_SCRUBIX_FORM, IDD_WELCOME, IDD_PURGE_WARNING, IDD_PROGRESS, IDD_EXTEN_PAGE, IDD_ENTRY,
          IDD_FILTER_PAGE, IDD_EXCLUDE_PAGE, IDD_OTHER_PAGE, IDD_DIRECTED_PAGE, IDD_PURGE_PAGE,
          IDD_RUN_PAGE, IDD_FILES_PAGE, IDD_FOLDERS_PAGE})
    {
        const SDialogTemplate* pDialog = FindTemplate(nId);
        ASSERT_NE(pDialog, nullptr) << nId;
        EXPECT_EQ(pDialog->nId, nId);
        std::set<int32_t> ids;
        for (const SControlTemplate& control : pDialog->controls)
        {
            SCOPED_TRACE(std::to_string(nId) + ": " + control.pszText);
            if (control.nId != ID_STATIC)
            {
                EXPECT_TRUE(ids.insert(control.nId).second) << "duplicate id " << control.nId;
            }
            EXPECT_GE(control.nLeft, 0);
            EXPECT_GE(control.nTop, 0);
            EXPECT_GT(control.nWidth, 0);
            EXPECT_GT(control.nHeight, 0);
            EXPECT_LE(control.nLeft + control.nWidth, pDialog->nWidth);
            if (control.eKind != ComboDropDownList) // its height is the dropped list's
            {
                EXPECT_LE(control.nTop + control.nHeight, pDialog->nHeight);
            }
            const bool bInteractive = control.eKind == PushButton ||
                                      control.eKind == DefPushButton || control.eKind == CheckBox ||
                                      control.eKind == ListView ||
                                      control.eKind == ComboDropDownList;
            if (bInteractive)
            {
                EXPECT_NE(control.nStyle & STYLE_TABSTOP, 0u);
            }
            if (control.eKind == ListView || control.eKind == ComboDropDownList ||
                control.eKind == ProgressBar)
            {
                ASSERT_NE(control.pszAccessibleName, nullptr);
                EXPECT_STRNE(control.pszAccessibleName, "");
            }
        }
    }
    EXPECT_EQ(FindTemplate(999), nullptr);
    EXPECT_EQ(GetFormTemplate().FindControl(ID_STATIC), nullptr);
}
} // namespace
