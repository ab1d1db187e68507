#include "MainMenuResources.h"

#include "WideText.h"
#include "ui/res/MenuTemplate.h"
#include "ui/res/ResourceIds.h"
#include "ui/win32/res/ResourceScriptIds.h"

#include <algorithm>
#include <cctype>
#include <string>

static_assert(SCRUBIX_ICON_ID == IDR_MAINFRAME, "the icon shares the main frame's id");

namespace
{
// Screens of this density or more take the doubled toolbar images.
constexpr int DOUBLED_DPI = 192;

} // namespace

WORD AcceleratorVirtualKey(EAcceleratorKey eKey)
{
    switch (eKey)
    {
    case EAcceleratorKey::F2:
        return VK_F2;
    case EAcceleratorKey::F3:
        return VK_F3;
    case EAcceleratorKey::F6:
        return VK_F6;
    case EAcceleratorKey::Delete:
        return VK_DELETE;
    case EAcceleratorKey::Home:
        return VK_HOME;
    case EAcceleratorKey::Escape:
        return VK_ESCAPE;
    case EAcceleratorKey::Insert:
        return VK_INSERT;
    case EAcceleratorKey::Backspace:
        return VK_BACK;
    case EAcceleratorKey::C:
        return 'C';
    case EAcceleratorKey::N:
        return 'N';
    case EAcceleratorKey::O:
        return 'O';
    case EAcceleratorKey::S:
        return 'S';
    case EAcceleratorKey::V:
        return 'V';
    case EAcceleratorKey::X:
        return 'X';
    case EAcceleratorKey::Z:
        return 'Z';
    }
    return 0;
}

namespace
{

// The RCDATA name of a toolbar image: the file name of the template's image
// name in capitals, "@" written "_" (":/icons/search.png" -> "SEARCH.PNG",
// doubled "SEARCH_2X.PNG").
std::wstring ImageResourceName(const char* pszIcon, bool bDoubled)
{
    std::string strName = pszIcon != nullptr ? pszIcon : "";
    const size_t nSlash = strName.find_last_of("/:");
    if (nSlash != std::string::npos)
        strName.erase(0, nSlash + 1);
    if (bDoubled)
    {
        const size_t nDot = strName.rfind('.');
        strName.insert(nDot == std::string::npos ? strName.size() : nDot, "_2x");
    }
    std::transform(strName.begin(), strName.end(), strName.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    return WideFromUtf8(strName);
}

// An icon of exactly nWidth x nHeight from a PNG image held as RCDATA.
HICON IconFromPngResource(const std::wstring& strName, int nWidth, int nHeight)
{
    HMODULE hModule = GetModuleHandleW(nullptr);
    HRSRC hFound = FindResourceW(hModule, strName.c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (hFound == nullptr)
        return nullptr;
    HGLOBAL hLoaded = LoadResource(hModule, hFound);
    auto* pBytes = static_cast<PBYTE>(LockResource(hLoaded));
    const DWORD nBytes = SizeofResource(hModule, hFound);
    if (pBytes == nullptr || nBytes == 0)
        return nullptr;
    // A PNG payload is read as an icon image on Windows Vista and later and on Wine.
    return CreateIconFromResourceEx(pBytes, nBytes, TRUE, 0x00030000, nWidth, nHeight,
                                    LR_DEFAULTCOLOR);
}
} // namespace

HMENU CreateMainMenu()
{
    HMENU hBar = CreateMenu();
    if (hBar == nullptr)
        return nullptr;
    HMENU hPopup = nullptr;
    for (const SMenuItem& item : GetMainMenu())
    {
        const std::wstring strText = WideFromUtf8(item.pszText);
        if (item.eKind == EMenuItemKind::Popup)
        {
            hPopup = CreatePopupMenu();
            if (hPopup == nullptr ||
                !AppendMenuW(hBar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(hPopup),
                             strText.c_str()))
            {
                if (hPopup != nullptr)
                    DestroyMenu(hPopup);
                DestroyMenu(hBar);
                return nullptr;
            }
            continue;
        }
        HMENU hInto = hPopup != nullptr ? hPopup : hBar;
        const bool bAdded =
            item.eKind == EMenuItemKind::Separator
                ? AppendMenuW(hInto, MF_SEPARATOR, 0, nullptr)
                : AppendMenuW(hInto, MF_STRING, static_cast<UINT_PTR>(item.nCommandId),
                              strText.c_str());
        if (!bAdded)
        {
            DestroyMenu(hBar);
            return nullptr;
        }
    }
    return hBar;
}

ACCEL AcceleratorEntry(const SAccelerator& accelerator)
{
    BYTE nFlags = FVIRTKEY;
    if ((accelerator.nModifiers & ACCEL_CONTROL) != 0)
        nFlags |= FCONTROL;
    if ((accelerator.nModifiers & ACCEL_SHIFT) != 0)
        nFlags |= FSHIFT;
    if ((accelerator.nModifiers & ACCEL_ALT) != 0)
        nFlags |= FALT;
    return ACCEL{nFlags, AcceleratorVirtualKey(accelerator.eKey),
                 static_cast<WORD>(accelerator.nCommandId)};
}

HACCEL CreateMainAccelerators()
{
    std::vector<ACCEL> table;
    for (const SAccelerator& accelerator : GetAccelerators())
        table.push_back(AcceleratorEntry(accelerator));
    return CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

HIMAGELIST CreateToolbarImages(int nDpi)
{
    if (nDpi <= 0)
    {
        HDC hScreen = GetDC(nullptr);
        nDpi = GetDeviceCaps(hScreen, LOGPIXELSY);
        ReleaseDC(nullptr, hScreen);
    }
    const bool bDoubled = nDpi >= DOUBLED_DPI;
    const int nScale = bDoubled ? 2 : 1;
    const int nWidth = TOOLBAR_BUTTON_WIDTH * nScale;
    const int nHeight = TOOLBAR_BUTTON_HEIGHT * nScale;
    HIMAGELIST hImages = ImageList_Create(nWidth, nHeight, ILC_COLOR32 | ILC_MASK, 6, 0);
    if (hImages == nullptr)
        return nullptr;
    for (const SToolbarButton& button : GetToolbarButtons())
    {
        if (button.nCommandId == 0)
            continue;
        HICON hIcon =
            IconFromPngResource(ImageResourceName(button.pszIcon, bDoubled), nWidth, nHeight);
        const int nIndex = hIcon != nullptr ? ImageList_AddIcon(hImages, hIcon) : -1;
        if (hIcon != nullptr)
            DestroyIcon(hIcon);
        if (nIndex < 0)
        {
            ImageList_Destroy(hImages);
            return nullptr;
        }
    }
    return hImages;
}

std::vector<TBBUTTON> ToolbarButtons()
{
    std::vector<TBBUTTON> buttons;
    int nImage = 0;
    for (const SToolbarButton& button : GetToolbarButtons())
    {
        TBBUTTON added{};
        if (button.nCommandId == 0)
        {
            added.fsStyle = TBSTYLE_SEP;
        }
        else
        {
            added.iBitmap = nImage++;
            added.idCommand = button.nCommandId;
            added.fsState = TBSTATE_ENABLED;
            added.fsStyle = TBSTYLE_BUTTON;
            added.iString = -1;
        }
        buttons.push_back(added);
    }
    return buttons;
}

HICON LoadProgramIcon(int nSize)
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(SCRUBIX_ICON_ID), IMAGE_ICON, nSize,
                                         nSize, LR_DEFAULTCOLOR));
}
