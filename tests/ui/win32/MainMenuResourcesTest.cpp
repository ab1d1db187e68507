// The main frame's menu, accelerators and toolbar made from the shared
// templates, and the resources compiled into the executable: the program's
// icon, its version and its manifest.

#include "ui/win32/dialogs/MainMenuResources.h"

#include "ScrubixVersion.h"
#include "ui/res/MenuTemplate.h"
#include "ui/res/ResourceIds.h"
#include "ui/win32/dialogs/WideText.h"

#include <commctrl.h>
#include <cwctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace
{
std::wstring MenuText(HMENU hMenu, UINT nPosition)
{
    wchar_t szText[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = szText;
    info.cch = 128;
    GetMenuItemInfoW(hMenu, nPosition, TRUE, &info);
    return szText;
}

std::vector<BYTE> ModuleVersionInfo()
{
    wchar_t szPath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    DWORD nHandle = 0;
    const DWORD nSize = GetFileVersionInfoSizeW(szPath, &nHandle);
    std::vector<BYTE> data(nSize);
    if (nSize == 0 || !GetFileVersionInfoW(szPath, 0, nSize, data.data()))
        data.clear();
    return data;
}

std::wstring VersionString(std::vector<BYTE>& data, const wchar_t* pszName)
{
    void* pValue = nullptr;
    UINT nLength = 0;
    const std::wstring strQuery = std::wstring(L"\\StringFileInfo\\040904B0\\") + pszName;
    if (!VerQueryValueW(data.data(), strQuery.c_str(), &pValue, &nLength) || pValue == nullptr)
        return L"";
    return static_cast<const wchar_t*>(pValue);
}

// The number of pixels of an image list's image that are not the white it is
// drawn over.
int DrawnPixels(HIMAGELIST hImages, int nIndex, int nWidth, int nHeight)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HDC hDc = CreateCompatibleDC(nullptr);
    HBITMAP hBitmap = CreateDIBSection(hDc, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hDc, hBitmap);
    RECT all{0, 0, nWidth, nHeight};
    FillRect(hDc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(hImages, nIndex, hDc, 0, 0, ILD_NORMAL);
    GdiFlush();
    int nDrawn = 0;
    const auto* pPixels = static_cast<const DWORD*>(pBits);
    for (int i = 0; i < nWidth * nHeight; ++i)
    {
        if ((pPixels[i] & 0x00FFFFFF) != 0x00FFFFFF)
            ++nDrawn;
    }
    SelectObject(hDc, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hDc);
    return nDrawn;
}
} // namespace

TEST(MainMenuResources, MenuHoldsTheTemplatesItemsAndIds)
{
    HMENU hBar = CreateMainMenu();
    ASSERT_NE(hBar, nullptr);
    ASSERT_EQ(GetMenuItemCount(hBar), 2);
    EXPECT_EQ(MenuText(hBar, 0), L"&File");
    EXPECT_EQ(MenuText(hBar, 1), L"&Help");

    int nPopup = -1;
    int nPosition = 0;
    HMENU hPopup = nullptr;
    for (const SMenuItem& item : GetMainMenu())
    {
        if (item.eKind == EMenuItemKind::Popup)
        {
            hPopup = GetSubMenu(hBar, ++nPopup);
            ASSERT_NE(hPopup, nullptr);
            nPosition = 0;
            continue;
        }
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID;
        ASSERT_TRUE(GetMenuItemInfoW(hPopup, nPosition, TRUE, &info)) << item.pszText;
        if (item.eKind == EMenuItemKind::Separator)
        {
            EXPECT_NE(info.fType & MFT_SEPARATOR, 0u) << nPosition;
        }
        else
        {
            EXPECT_EQ(info.wID, static_cast<UINT>(item.nCommandId)) << item.pszText;
            EXPECT_EQ(MenuText(hPopup, nPosition), WideFromUtf8(item.pszText));
        }
        ++nPosition;
    }
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(hBar, 0)), 7);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(hBar, 1)), 3);
    EXPECT_EQ(MenuText(GetSubMenu(hBar, 0), 0), L"&Search\tF3");
    EXPECT_EQ(GetMenuItemID(GetSubMenu(hBar, 1), 2), static_cast<UINT>(ID_APP_ABOUT));
    DestroyMenu(hBar);
}

TEST(MainMenuResources, AcceleratorTableHoldsEveryEntryWithItsKeys)
{
    HACCEL hTable = CreateMainAccelerators();
    ASSERT_NE(hTable, nullptr);
    const int nCount = CopyAcceleratorTableW(hTable, nullptr, 0);
    ASSERT_EQ(nCount, static_cast<int>(GetAccelerators().size()));
    std::vector<ACCEL> table(static_cast<size_t>(nCount));
    CopyAcceleratorTableW(hTable, table.data(), nCount);
    DestroyAcceleratorTable(hTable);

    // The keys as the user presses them, in table order.
    const ACCEL expected[] = {
        {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
        {FVIRTKEY, VK_DELETE, ID_PURGE},
        {FVIRTKEY, VK_ESCAPE, ID_CANCEL},
        {FVIRTKEY, VK_F2, ID_OPTIONS},
        {FVIRTKEY, VK_F3, ID_SEARCH},
        {FVIRTKEY, VK_HOME, ID_MOVE},
        {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
        {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
        {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
        {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
        {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
        {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
        {FVIRTKEY, VK_F6, ID_NEXT_PANE},
        {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE},
        {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
        {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
        {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
    };
    ASSERT_EQ(table.size(), std::size(expected));
    for (size_t i = 0; i < table.size(); ++i)
    {
        EXPECT_EQ(table[i].fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT), expected[i].fVirt) << i;
        EXPECT_EQ(table[i].key, expected[i].key) << i;
        EXPECT_EQ(table[i].cmd, expected[i].cmd) << i;
        EXPECT_EQ(table[i].cmd, static_cast<WORD>(GetAccelerators()[i].nCommandId)) << i;
    }
}

TEST(MainMenuResources, ToolbarHasAnImageForEachButtonAtBothScales)
{
    const std::vector<TBBUTTON> buttons = ToolbarButtons();
    ASSERT_EQ(buttons.size(), GetToolbarButtons().size());
    const int expectedIds[] = {ID_SEARCH,  ID_PURGE, ID_MOVE,     ID_CANCEL,
                               ID_OPTIONS, 0,        ID_APP_ABOUT};
    int nNextImage = 0;
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        EXPECT_EQ(buttons[i].idCommand, expectedIds[i]) << i;
        if (expectedIds[i] == 0)
        {
            EXPECT_EQ(buttons[i].fsStyle, TBSTYLE_SEP);
            continue;
        }
        EXPECT_EQ(buttons[i].iBitmap, nNextImage++) << i;
        EXPECT_NE(buttons[i].fsState & TBSTATE_ENABLED, 0) << i;
    }

    for (const auto& [nDpi, nWidth, nHeight] :
         {std::tuple{96, TOOLBAR_BUTTON_WIDTH, TOOLBAR_BUTTON_HEIGHT},
          std::tuple{192, 2 * TOOLBAR_BUTTON_WIDTH, 2 * TOOLBAR_BUTTON_HEIGHT}})
    {
        HIMAGELIST hImages = CreateToolbarImages(nDpi);
        ASSERT_NE(hImages, nullptr) << nDpi;
        EXPECT_EQ(ImageList_GetImageCount(hImages), nNextImage) << nDpi;
        int nCx = 0;
        int nCy = 0;
        ImageList_GetIconSize(hImages, &nCx, &nCy);
        EXPECT_EQ(nCx, nWidth);
        EXPECT_EQ(nCy, nHeight);
        for (int i = 0; i < nNextImage; ++i)
            EXPECT_GT(DrawnPixels(hImages, i, nCx, nCy), nCx * nCy / 8) << nDpi << " " << i;
        ImageList_Destroy(hImages);
    }
}

TEST(MainMenuResources, ProgramIconComesAtTheSizesAsked)
{
    for (int nSize : {16, 32, 48, 256})
    {
        HICON hIcon = LoadProgramIcon(nSize);
        ASSERT_NE(hIcon, nullptr) << nSize;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(hIcon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap),
                   &bitmap);
        EXPECT_EQ(bitmap.bmWidth, nSize);
        if (info.hbmColor != nullptr)
            DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(hIcon);
    }
}

TEST(MainMenuResources, VersionResourceCarriesTheBuildsVersion)
{
    std::vector<BYTE> data = ModuleVersionInfo();
    ASSERT_FALSE(data.empty());
    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT nLength = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&pFixed), &nLength));
    ASSERT_NE(pFixed, nullptr);
    EXPECT_EQ(pFixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(pFixed->dwFileVersionMS,
              static_cast<DWORD>(MAKELONG(SCRUBIX_VERSION_MINOR, SCRUBIX_VERSION_MAJOR)));
    EXPECT_EQ(pFixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, SCRUBIX_VERSION_PATCH)));
    EXPECT_EQ(VersionString(data, L"ProductName"), L"Scrubix");
    EXPECT_EQ(VersionString(data, L"FileVersion"), WideFromUtf8(SCRUBIX_VERSION_TEXT));
    EXPECT_EQ(VersionString(data, L"ProductVersion"), WideFromUtf8(SCRUBIX_VERSION_TEXT));
}

TEST(MainMenuResources, ManifestAsksForCommonControlsSixAndUtf8)
{
    HRSRC hFound = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(hFound, nullptr);
    const auto* pText = static_cast<const char*>(LockResource(LoadResource(nullptr, hFound)));
    const std::string strManifest(pText, SizeofResource(nullptr, hFound));
    EXPECT_NE(strManifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(strManifest.find("<activeCodePage"), std::string::npos);
    EXPECT_NE(strManifest.find(">UTF-8</activeCodePage>"), std::string::npos);
    EXPECT_NE(strManifest.find(">true</dpiAware>"), std::string::npos);

    // The loader honoured it: the ANSI calls speak UTF-8 and the common controls
    // are the side-by-side version 6 (Wine's reports 5.81 from DllGetVersion,
    // so its folder tells).
    EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    HMODULE hComctl = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(hComctl, nullptr);
    wchar_t szPath[MAX_PATH] = {};
    GetModuleFileNameW(hComctl, szPath, MAX_PATH);
    std::wstring strPath = szPath;
    for (wchar_t& ch : strPath)
        ch = static_cast<wchar_t>(towlower(ch));
    EXPECT_NE(strPath.find(L"microsoft.windows.common-controls"), std::wstring::npos)
        << Utf8FromWide(strPath);
}
