#include "ResourceIds.h"
#include "Templates.h"

namespace
{
using enum EControlKind;

constexpr uint32_t TEXT = STYLE_WRAP;

// Welcome 140: the buttons first, so the default one has the focus.
constexpr SControlTemplate kWelcomeControls[] = {
    {ID_RESULT_OK, DefPushButton, "I Will Try Deletion Mode", 14, 130, 150, 14, STYLE_TABSTOP},
    {ID_RESULT_CANCEL, PushButton, "I Just Want to Move Files to the Recycle Bin", 14, 150, 150, 14,
     STYLE_TABSTOP},
    {IDC_WELCOME_HELP, PushButton, "I Need Help...", 14, 170, 150, 14, STYLE_TABSTOP},
    {ID_STATIC, LabelCentre,
     "Scrubix's usual operation is to search your drive for candidate unwanted files, show you "
     "the search results and then let you choose to Delete them (or cancel).",
     5, 5, 175, 27, TEXT},
    {ID_STATIC, LabelCentre, "YOU ARE ALWAYS PROMPTED BEFORE \nANY DELETIONS TAKE PLACE.", 4, 36,
     172, 16, TEXT},
    {ID_STATIC, LabelCentre,
     "As a new user you might wish to Move the candidate files to the Recycle Bin until you are "
     "more familiar with how Scrubix behaves. It's your choice.",
     4, 60, 175, 25, TEXT},
    {ID_STATIC, LabelCentre,
     "Use the buttons below to choose the operation you wish to start with. You can always "
     "change later using the File > Options Dialog Box.",
     4, 95, 175, 25, TEXT},
};

constexpr SDialogTemplate kWelcome{IDD_WELCOME,
                                   "Welcome to Scrubix!",
                                   186,
                                   193,
                                   DIALOG_CAPTION | DIALOG_MODALFRAME,
                                   "MS Sans Serif",
                                   8,
                                   kWelcomeControls};

// Purge Warning 137.
constexpr SControlTemplate kPurgeWarningControls[] = {
    {ID_STATIC, GroupBox, "Please Answer This Important Question", 5, 5, 205, 70},
    {ID_STATIC, LabelLeft,
     "You are about to permamently delete the checked files...\n\n---> Are you sure you want to "
     "do this?",
     15, 20, 185, 25, TEXT},
    {ID_RESULT_OK, DefPushButton, "Yes", 95, 55, 50, 14, STYLE_TABSTOP},
    {ID_RESULT_CANCEL, PushButton, "No", 150, 55, 50, 14, STYLE_TABSTOP},
    {ID_STATIC, GroupBox, "Reminders", 5, 80, 205, 40},
    {IDC_DONT_SHOW, CheckBox, "Don't show this warning in the future.", 15, 90, 145, 10,
     STYLE_TABSTOP},
    {ID_STATIC, LabelLeft, "(You can control this warning from the Options dialog box.)", 15, 105,
     190, 10, TEXT},
};

constexpr SDialogTemplate kPurgeWarning{IDD_PURGE_WARNING,
                                        "Purge Warning!",
                                        217,
                                        126,
                                        DIALOG_CAPTION | DIALOG_SYSMENU | DIALOG_MODALFRAME,
                                        "MS Sans Serif",
                                        8,
                                        kPurgeWarningControls};

// File Moving Progress 110.
constexpr SControlTemplate kProgressControls[] = {
    {IDC_PROGRESS_FILE, LabelLeft, "", 8, 12, 228, 8, STYLE_NONE},
    {IDC_PROGRESS_BAR, ProgressBar, "", 10, 30, 225, 10, STYLE_BORDER, "File Moving Progress"},
};

constexpr SDialogTemplate kProgress{IDD_PROGRESS,
                                    "File Moving Progress",
                                    243,
                                    54,
                                    DIALOG_CAPTION | DIALOG_VISIBLE | DIALOG_MODALFRAME,
                                    "MS Sans Serif",
                                    8,
                                    kProgressControls};
} // namespace

const SDialogTemplate& GetWelcomeTemplate()
{
    return kWelcome;
}

const SDialogTemplate& GetPurgeWarningTemplate()
{
    return kPurgeWarning;
}

const SDialogTemplate& GetProgressTemplate()
{
    return kProgress;
}

const SDialogTemplate* FindTemplate(int32_t nId)
{
    const SDialogTemplate* templates[] = {&GetFormTemplate(), &GetWelcomeTemplate(),
                                          &GetPurgeWarningTemplate(), &GetProgressTemplate(),
                                          &GetAboutTemplate()};
    for (const SDialogTemplate* pTemplate : templates)
    {
        if (pTemplate->nId == nId)
        {
            return pTemplate;
        }
    }
    return FindOptionsTemplate(nId);
}
