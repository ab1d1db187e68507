#include "AboutTexts.h"
#include "ResourceIds.h"
#include "Templates.h"

namespace
{
using enum EControlKind;

constexpr uint32_t TEXT = STYLE_WRAP;

constexpr SControlTemplate kAboutControls[] = {
    {ID_STATIC, GroupBox, "What Scrubix Does", 5, 10, 95, 85},
    {ID_STATIC, LabelCentre,
     "Automatically finds files you believe to be uselss and lets you delete them.", 10, 20, 85, 25,
     TEXT},
    {ID_STATIC, LabelCentre,
     "Scrubix never deletes anything without first letting you review those files.", 10, 50, 85, 25,
     TEXT},
    {ID_STATIC, LabelCentre, "Go ahead, save a Meg!", 10, 80, 85, 10, TEXT},
    {ID_STATIC, GroupBox, "Legal Stuff", 5, 100, 95, 55},
    {ID_STATIC, LabelCentre, ABOUT_LEGAL_NOTICE, 10, 112, 85, 35, TEXT},
    {ID_STATIC, LabelCentre, "Scrubix Version 2.4", 121, 10, 85, 8},
    {ID_STATIC, LabelCentre, ABOUT_ONE_LINE_NOTICE, 121, 25, 85, 8},
    {ID_STATIC, LabelCentre, "A 32 bit application", 121, 40, 85, 8},
    {ID_STATIC, LabelCentre, "Contact\n" ABOUT_AUTHOR_NAME " at", 121, 55, 85, 15, TEXT},
    {IDC_LINK_EMAIL, Custom, ABOUT_EMAIL_ADDRESS, 121, 80, 85, 10, STYLE_TABSTOP},
    {IDC_LINK_WEB, Custom, ABOUT_WEB_ADDRESS, 105, 95, 115, 10, STYLE_TABSTOP},
    {ID_STATIC, Picture, "scrubix", 155, 115, 20, 20, STYLE_NONE, "Scrubix icon"},
    {ID_RESULT_OK, DefPushButton, "OK", 141, 140, 50, 14, STYLE_TABSTOP},
};

constexpr SDialogTemplate kAbout{IDD_ABOUTBOX,
                                 "About Scrubix",
                                 227,
                                 162,
                                 DIALOG_CAPTION | DIALOG_SYSMENU | DIALOG_MODALFRAME,
                                 "MS Sans Serif",
                                 8,
                                 kAboutControls};
} // namespace

const SDialogTemplate& GetAboutTemplate()
{
    return kAbout;
}
