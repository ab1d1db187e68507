#include "PictureIcons.h"

namespace
{
constexpr WORD PROGRAM_ICON_ID = 128;

BOOL CALLBACK SetIconOfPicture(HWND hChild, LPARAM lParam)
{
    const LONG nStyle = GetWindowLongW(hChild, GWL_STYLE);
    if ((nStyle & SS_TYPEMASK) == SS_ICON)
        SendMessageW(hChild, STM_SETICON, static_cast<WPARAM>(lParam), 0);
    return TRUE;
}
} // namespace

HICON ProgramIcon()
{
    static HICON s_hIcon = []
    {
        HICON hIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                    MAKEINTRESOURCEW(PROGRAM_ICON_ID), IMAGE_ICON,
                                                    32, 32, LR_SHARED));
        // Else the system's application icon (IDI_APPLICATION).
        return hIcon != nullptr ? hIcon : LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
    }();
    return s_hIcon;
}

void SetTemplateIcons(HWND hDialog)
{
    EnumChildWindows(hDialog, SetIconOfPicture, reinterpret_cast<LPARAM>(ProgramIcon()));
}
