#include "ResourceIds.h"
#include "Templates.h"

#include <array>

namespace
{
using enum EControlKind;

constexpr uint32_t TEXT = STYLE_WRAP;
constexpr uint32_t TAB = STYLE_TABSTOP;
// Bordered, both scroll bars, not sorted, a tab stop.
constexpr uint32_t LIST = STYLE_TABSTOP | STYLE_BORDER | STYLE_VSCROLL | STYLE_HSCROLL;
constexpr uint32_t PAGE_STYLE = DIALOG_CHILD | DIALOG_CAPTION;
constexpr const char* FONT = "MS Sans Serif";
constexpr const char* REMEMBER_EXCLUDES = "---> Remember, Excluded File Names are still protected.";

// Extensions 130.
constexpr SControlTemplate kExtenControls[] = {
    {ID_STATIC, LabelLeft, "Choose file extensions to identify Candidates.", 10, 5, 270, 10, TEXT},
    {ID_STATIC, LabelLeft, REMEMBER_EXCLUDES, 10, 16, 270, 10, TEXT},
    {IDC_EXTEN_LIST, ListBox, "", 10, 30, 200, 100, LIST, "Extensions"},
    {IDC_EXTEN_ADD, PushButton, "Add", 215, 30, 65, 15, TAB},
    {IDC_EXTEN_EDIT, PushButton, "Edit", 215, 54, 65, 15, TAB | STYLE_DISABLED},
    {IDC_EXTEN_DELETE, PushButton, "Delete", 215, 78, 65, 15, TAB | STYLE_DISABLED},
    {IDC_EXTEN_DEFAULTS, PushButton, "Restore Defaults", 215, 102, 65, 15, TAB},
};

// Entry dialog 131: the edit box first, so it has the focus.
constexpr SControlTemplate kEntryControls[] = {
    {IDC_ENTRY_TEXT, Edit, "", 5, 5, 165, 15, TAB | STYLE_BORDER, "Entry"},
    {ID_RESULT_OK, DefPushButton, "OK", 65, 25, 50, 14, TAB},
    {ID_RESULT_CANCEL, PushButton, "Cancel", 121, 25, 50, 14, TAB},
};

// Filters 134: the Edit button exists but stays hidden and disabled.
constexpr SControlTemplate kFilterControls[] = {
    {ID_STATIC, LabelLeft,
     "Choose paths to ignore while searching (including any subdirectories). Always "
     "case-insensitive.",
     10, 5, 270, 20, TEXT},
    {IDC_FILTER_LIST, ListBox, "", 10, 30, 200, 100, LIST, "Filters"},
    {IDC_FILTER_ADD, PushButton, "Add", 215, 30, 65, 15, TAB},
    {IDC_FILTER_EDIT, PushButton, "Edit", 215, 54, 65, 15, TAB | STYLE_DISABLED | STYLE_HIDDEN},
    {IDC_FILTER_DELETE, PushButton, "Delete", 215, 78, 65, 15, TAB | STYLE_DISABLED},
    {IDC_FILTER_DEFAULTS, PushButton, "Restore Defaults", 215, 102, 65, 15, TAB},
};

// Excludes 136.
constexpr SControlTemplate kExcludeControls[] = {
    {ID_STATIC, LabelLeft,
     "Identify specific file names to exclude from the search. \n(These will be excluded "
     "regardless of any other rule or setting.)",
     10, 5, 270, 20, TEXT},
    {IDC_EXCLUDE_LIST, ListBox, "", 10, 30, 200, 100, LIST, "Excludes"},
    {IDC_EXCLUDE_ADD, PushButton, "Add", 215, 30, 65, 15, TAB},
    {IDC_EXCLUDE_EDIT, PushButton, "Edit", 215, 54, 65, 15, TAB | STYLE_DISABLED},
    {IDC_EXCLUDE_DELETE, PushButton, "Delete", 215, 78, 65, 15, TAB | STYLE_DISABLED},
    {IDC_EXCLUDE_DEFAULTS, PushButton, "Restore Defaults", 215, 102, 65, 15, TAB},
    {IDC_EXCLUDE_IGNORE_CASE, CheckBox, "Ignore Case", 217, 122, 65, 10, TAB},
};

// Files to Delete 144.
constexpr SControlTemplate kFilesControls[] = {
    {ID_STATIC, LabelLeft,
     "I explicitly direct Scrubix to indentify these files as Candidates regardless of any "
     "other rules (except the Excluded Files Names): ",
     10, 3, 270, 25, TEXT},
    {IDC_FILES_LIST, ListBox, "", 10, 30, 200, 85, LIST, "Files to Delete"},
    {IDC_FILES_ADD, PushButton, "Add", 215, 30, 65, 15, TAB},
    {IDC_FILES_DELETE, PushButton, "Delete", 215, 78, 65, 15, TAB | STYLE_DISABLED},
    {IDC_FILES_DEFAULTS, PushButton, "Restore Defaults", 215, 102, 65, 15, TAB},
    {ID_STATIC, LabelLeft, REMEMBER_EXCLUDES, 10, 120, 270, 10, TEXT},
};

// Folders to Delete 145.
constexpr SControlTemplate kFoldersControls[] = {
    {ID_STATIC, LabelLeft,
     "I explicitly direct Scrubix to indentify these folders (and their files/sub-folders) as "
     "Candidates regardless of any other rules (except the Excluded Files Names): ",
     10, 3, 270, 25, TEXT},
    {IDC_FOLDERS_LIST, ListBox, "", 10, 30, 200, 85, LIST, "Folders to Delete"},
    {IDC_FOLDERS_ADD, PushButton, "Add", 215, 30, 65, 15, TAB},
    {IDC_FOLDERS_DELETE, PushButton, "Delete", 215, 78, 65, 15, TAB | STYLE_DISABLED},
    {IDC_FOLDERS_DEFAULTS, PushButton, "Restore Defaults", 215, 102, 65, 15, TAB},
    {ID_STATIC, LabelLeft, REMEMBER_EXCLUDES, 10, 120, 270, 10, TEXT},
};

// Directeds 139: five check boxes are created hidden and never shown.
constexpr SControlTemplate kDirectedControls[] = {
    {ID_STATIC, LabelLeft,
     "I explicitly direct Scrubix to indentify these files as Candidates regardless of any "
     "other rules (except the Excluded Files Names): ",
     10, 10, 265, 25, TEXT},
    {IDC_DIRECTED_IE, CheckBox, "Files in Internet Explorer Cache", 20, 40, 200, 10, TAB},
    {ID_STATIC, LabelLeft, REMEMBER_EXCLUDES, 10, 58, 265, 10, TEXT},
    {IDC_DIRECTED_IE_URL, CheckBox,
     "Delete Internet Explorer URL History (not a reviewable action)", 20, 75, 255, 10,
     TAB | STYLE_HIDDEN},
    {IDC_DIRECTED_WINDOWS_TEMP, CheckBox, "Files in Windows Temp Directory", 20, 87, 255, 10,
     TAB | STYLE_HIDDEN},
    {IDC_DIRECTED_NETSCAPE_CACHE, CheckBox, "Files in Netscape Cache", 20, 99, 255, 10,
     TAB | STYLE_HIDDEN},
    {IDC_DIRECTED_NETSCAPE_URL, CheckBox, "Delete Netscape URL History (not a reviewable action)",
     20, 111, 255, 10, TAB | STYLE_HIDDEN},
    {IDC_DIRECTED_ROOT_TEMP, CheckBox, "Files in Root Temp Directory", 20, 123, 255, 10,
     TAB | STYLE_HIDDEN},
};

// Other Settings 138: one group box around each check box.
constexpr SControlTemplate kOtherControls[] = {
    {ID_STATIC, GroupBox, "Zero Length Files", 10, 5, 215, 28},
    {IDC_OTHER_ZERO, CheckBox, "Consider Zero Length files as Candiates", 20, 17, 200, 10, TAB},
    {ID_STATIC, GroupBox, "Read-Only Files", 10, 37, 215, 28},
    {IDC_OTHER_READ_ONLY, CheckBox, "Allow deletion of Read-Only files", 20, 49, 200, 10, TAB},
    {ID_STATIC, GroupBox, "Completion Report", 10, 69, 215, 28},
    {IDC_OTHER_ANOMALY, CheckBox, "Create an Anomaly Report after Purging/Moving", 20, 81, 200, 10,
     TAB},
    {ID_STATIC, GroupBox, "List Scrolling", 10, 101, 215, 28},
    {IDC_OTHER_SCROLL, CheckBox, "Scroll List so Most Recent Item is Visible", 20, 113, 200, 10,
     TAB},
    {ID_STATIC, Picture, "scrubix", 245, 10, 20, 20, STYLE_NONE, "Scrubix icon"},
};

// Purge/Move 141.
constexpr SControlTemplate kPurgeControls[] = {
    {ID_STATIC, GroupBox, "What To Do With Candidate Files?", 10, 3, 220, 26},
    {IDC_PURGE_MOVE, RadioButton, "Move", 20, 14, 80, 10, TAB | STYLE_GROUP},
    {IDC_PURGE_PURGE, RadioButton, "Purge", 110, 14, 80, 10, TAB},
    {ID_STATIC, GroupBox, "Move Choices", 10, 32, 220, 73},
    {IDC_PURGE_RECYCLE, RadioButton, "Move to Recycle Bin", 20, 43, 200, 10, TAB | STYLE_GROUP},
    {IDC_PURGE_DESTINATION, RadioButton, "Move (but not to Recycle Bin)", 20, 54, 200, 10, TAB},
    {IDC_PURGE_DESTINATION_LABEL, LabelLeft,
     "Destination Folder if Moving (but not to Recycle Bin)", 20, 66, 205, 9, STYLE_NONE},
    {IDC_PURGE_MOVE_PATH, Edit, "", 20, 76, 150, 13, TAB | STYLE_BORDER},
    {IDC_PURGE_BROWSE, PushButton, "Browse", 175, 75, 50, 15, TAB},
    {IDC_PURGE_OVERWRITE, CheckBox, "Allow file overwrite while Moving files to destination", 20,
     92, 205, 10, TAB},
    {ID_STATIC, GroupBox, "Purge Choice", 10, 108, 220, 26},
    {IDC_PURGE_WARN, CheckBox, "Always warn before Purge", 20, 119, 200, 10, TAB},
    {ID_STATIC, Picture, "scrubix", 245, 10, 20, 20, STYLE_NONE, "Scrubix icon"},
};

// Run Options 143.
constexpr SControlTemplate kRunControls[] = {
    {ID_STATIC, GroupBox, "How to Run", 10, 5, 220, 40},
    {IDC_RUN_INVISIBLE, RadioButton, "Launch Invisible (and run at boot-up) *", 20, 17, 200, 10,
     TAB | STYLE_GROUP},
    {IDC_RUN_VISIBLE, RadioButton, "Launch Visible", 20, 30, 200, 10, TAB},
    {ID_STATIC, GroupBox, "When to Run", 10, 50, 220, 27},
    {IDC_RUN_AT_BOOT, CheckBox, "Run At Boot time", 20, 62, 200, 10, TAB},
    {ID_STATIC, LabelLeft,
     "* This will cause Scrubix to run silently in the future at boot-up time.", 10, 85, 220, 20,
     TEXT},
    {ID_STATIC, Picture, "scrubix", 245, 10, 20, 20, STYLE_NONE, "Scrubix icon"},
};

// Age 146: the days box is a spin box, which each front end makes itself
// (Custom): a number field with arrows, 1 to 3650.
constexpr SControlTemplate kAgeControls[] = {
    {ID_STATIC, GroupBox, "File Age", 10, 5, 220, 44},
    {IDC_AGE_ONLY_OLD, CheckBox, "Only files not changed for at least", 20, 17, 200, 10, TAB},
    {IDC_AGE_DAYS, Custom, "", 32, 30, 44, 13, TAB | STYLE_BORDER, "Days"},
    {IDC_AGE_DAYS_LABEL, LabelLeft, "days", 80, 32, 40, 9, STYLE_NONE},
    {ID_STATIC, LabelLeft,
     "Files changed more recently are not listed, whatever makes them candidates.", 10, 55, 220, 20,
     TEXT},
    {ID_STATIC, Picture, "scrubix", 245, 10, 20, 20, STYLE_NONE, "Scrubix icon"},
};

constexpr SDialogTemplate kExten{IDD_EXTEN_PAGE, "Extensions", 287, 138,
                                 PAGE_STYLE,     FONT,         8,   kExtenControls};
constexpr SDialogTemplate kEntry{
    IDD_ENTRY, "Add", 177,           45, DIALOG_CAPTION | DIALOG_SYSMENU | DIALOG_MODALFRAME,
    FONT,      8,     kEntryControls};
constexpr SDialogTemplate kFilter{IDD_FILTER_PAGE, "Filters", 287, 138,
                                  PAGE_STYLE,      FONT,      8,   kFilterControls};
constexpr SDialogTemplate kExclude{IDD_EXCLUDE_PAGE, "Excludes", 287, 138,
                                   PAGE_STYLE,       FONT,       8,   kExcludeControls};
constexpr SDialogTemplate kFiles{IDD_FILES_PAGE, "Files to Delete", 287, 138, PAGE_STYLE, FONT, 8,
                                 kFilesControls};
constexpr SDialogTemplate kFolders{
    IDD_FOLDERS_PAGE, "Folders to Delete", 287, 138, PAGE_STYLE, FONT, 8, kFoldersControls};
constexpr SDialogTemplate kDirected{IDD_DIRECTED_PAGE, "Directeds", 287, 138,
                                    PAGE_STYLE,        FONT,        8,   kDirectedControls};
constexpr SDialogTemplate kOther{IDD_OTHER_PAGE, "Other Settings", 287, 138, PAGE_STYLE, FONT, 8,
                                 kOtherControls};
constexpr SDialogTemplate kPurge{IDD_PURGE_PAGE, "Purge/Move", 287, 138,
                                 PAGE_STYLE,     FONT,         8,   kPurgeControls};
constexpr SDialogTemplate kRun{IDD_RUN_PAGE, "Run Options", 287, 135,
                               PAGE_STYLE,   FONT,          8,   kRunControls};

constexpr SDialogTemplate kAge{IDD_AGE_PAGE, "Age", 287, 138, PAGE_STYLE, FONT, 8, kAgeControls};

constexpr std::array<const SDialogTemplate*, 11> kOptionsTemplates = {
    &kExten,    &kEntry, &kFilter, &kExclude, &kFiles, &kFolders,
    &kDirected, &kOther, &kPurge,  &kRun,     &kAge};
} // namespace

const SDialogTemplate* FindOptionsTemplate(int32_t nId)
{
    for (const SDialogTemplate* pTemplate : kOptionsTemplates)
    {
        if (pTemplate->nId == nId)
        {
            return pTemplate;
        }
    }
    return nullptr;
}
