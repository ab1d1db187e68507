#include "DialogTextFit.h"

#include "ui/rules/TextFit.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
std::wstring ClassName(HWND hWnd)
{
    wchar_t szClass[32] = {};
    GetClassNameW(hWnd, szClass, 32);
    return szClass;
}

bool IsWrappingLabel(HWND hWnd)
{
    if (_wcsicmp(ClassName(hWnd).c_str(), L"Static") != 0)
        return false;
    const LONG nType = GetWindowLongW(hWnd, GWL_STYLE) & SS_TYPEMASK;
    return nType == SS_LEFT || nType == SS_CENTER || nType == SS_RIGHT;
}

std::wstring TextOf(HWND hWnd)
{
    const int nLength = GetWindowTextLengthW(hWnd);
    std::wstring strText(static_cast<size_t>(std::max(nLength, 0)) + 1, L'\0');
    const int nCopied = GetWindowTextW(hWnd, strText.data(), nLength + 1);
    strText.resize(static_cast<size_t>(std::max(nCopied, 0)));
    return strText;
}

bool IsClass(HWND hWnd, const wchar_t* pszClass)
{
    wchar_t szClass[32] = {};
    GetClassNameW(hWnd, szClass, 32);
    return _wcsicmp(szClass, pszClass) == 0;
}

// Measures texts in the dialog's font.
class CTextMeasure
{
public:
    explicit CTextMeasure(HWND hDialog) : m_hDc(GetDC(hDialog)), m_hDialog(hDialog)
    {
        auto hFont = reinterpret_cast<HFONT>(SendMessageW(hDialog, WM_GETFONT, 0, 0));
        m_hOld = SelectObject(m_hDc, hFont != nullptr ? hFont : GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW metrics{};
        GetTextMetricsW(m_hDc, &metrics);
        m_nLineHeight = metrics.tmHeight;
        m_nAverageWidth = std::max<LONG>(1, metrics.tmAveCharWidth);
    }
    ~CTextMeasure()
    {
        SelectObject(m_hDc, m_hOld);
        ReleaseDC(m_hDialog, m_hDc);
    }
    CTextMeasure(const CTextMeasure&) = delete;
    CTextMeasure& operator=(const CTextMeasure&) = delete;

    // The size of a text laid out as DrawText lays it out with nFormat, in
    // nWidth pixels when the format wraps.
    SIZE Measure(const std::wstring& strText, UINT nFormat, int32_t nWidth) const
    {
        RECT rect{0, 0, std::max<int32_t>(1, nWidth), 0};
        std::wstring strCopy = strText;
        DrawTextW(m_hDc, strCopy.data(), static_cast<int>(strCopy.size()), &rect,
                  nFormat | DT_CALCRECT);
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    }

    int32_t LineHeight() const { return m_nLineHeight; }
    int32_t AverageWidth() const { return m_nAverageWidth; }

private:
    HDC m_hDc = nullptr;
    HWND m_hDialog = nullptr;
    HGDIOBJ m_hOld = nullptr;
    int32_t m_nLineHeight = 0;
    int32_t m_nAverageWidth = 1;
};

STextFitControl FitControl(HWND hControl, HWND hDialog, const CTextMeasure& measure)
{
    STextFitControl control;
    RECT rect{};
    GetWindowRect(hControl, &rect);
    MapWindowPoints(nullptr, hDialog, reinterpret_cast<POINT*>(&rect), 2);
    control.rect = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    const DWORD nStyle = static_cast<DWORD>(GetWindowLongW(hControl, GWL_STYLE));
    const std::wstring strText = TextOf(hControl);

    if (IsClass(hControl, L"Static"))
    {
        const DWORD nType = nStyle & SS_TYPEMASK;
        if (strText.empty() || (nType != SS_LEFT && nType != SS_CENTER && nType != SS_RIGHT &&
                                nType != SS_LEFTNOWORDWRAP && nType != SS_SIMPLE))
            return control;
        // A path drawn shortened needs no more room than it has.
        if ((nStyle & SS_ELLIPSISMASK) != 0)
            return control;
        UINT nFormat = DT_EXPANDTABS | ((nStyle & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0);
        control.eSide = nType == SS_CENTER  ? ETextFitSide::Both
                        : nType == SS_RIGHT ? ETextFitSide::End
                                            : ETextFitSide::Start;
        control.bHasText = true;
        if (nType == SS_LEFT || nType == SS_CENTER || nType == SS_RIGHT)
        {
            nFormat |= DT_WORDBREAK;
            control.bWraps = true;
            control.nWidenStep = measure.AverageWidth();
            control.heightAtWidth = [&measure, strText, nFormat](int32_t nWidth)
            { return static_cast<int32_t>(measure.Measure(strText, nFormat, nWidth).cy); };
        }
        const SIZE need = measure.Measure(strText, nFormat, control.rect.nWidth);
        control.nNeedWidth = need.cx;
        control.nNeedHeight = need.cy;
        return control;
    }
    if (!IsClass(hControl, L"Button") || strText.empty())
        return control;
    const SIZE text = measure.Measure(strText, DT_SINGLELINE, 0);
    switch (nStyle & BS_TYPEMASK)
    {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        // The text between the button's frame and its focus rectangle's margins.
        control.bHasText = true;
        control.eSide = ETextFitSide::Both;
        control.nNeedWidth = text.cx + 2 * (GetSystemMetrics(SM_CXEDGE) + measure.AverageWidth());
        control.nNeedHeight = text.cy;
        break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        // The box, a gap of half a letter, the text.
        control.bHasText = true;
        control.nNeedWidth =
            GetSystemMetrics(SM_CXMENUCHECK) + measure.AverageWidth() / 2 + text.cx + 1;
        control.nNeedHeight = text.cy;
        break;
    case BS_GROUPBOX:
        control.bGroupBox = true;
        control.nTitleHeight = measure.LineHeight();
        control.bHasText = true;
        control.nNeedWidth = text.cx + 4 * measure.AverageWidth();
        control.nNeedHeight = text.cy;
        break;
    default:
        break;
    }
    return control;
}
} // namespace

void FitDialogTexts(HWND hDialog)
{
    const CTextMeasure measure(hDialog);
    std::vector<HWND> windows;
    std::vector<STextFitControl> controls;
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        if ((GetWindowLongW(hChild, GWL_STYLE) & WS_VISIBLE) == 0)
            continue;
        windows.push_back(hChild);
        controls.push_back(FitControl(hChild, hDialog, measure));
    }
    RECT client{};
    GetClientRect(hDialog, &client);
    RECT unit{0, 0, 1, 1};
    MapDialogRect(hDialog, &unit);
    GrowTextsToFit(controls, client.right, client.bottom, std::max<int32_t>(1, unit.right));
    for (size_t i = 0; i < windows.size(); ++i)
    {
        const STextFitRect& rect = controls[i].rect;
        RECT now{};
        GetWindowRect(windows[i], &now);
        MapWindowPoints(nullptr, hDialog, reinterpret_cast<POINT*>(&now), 2);
        if (now.left != rect.nLeft || now.top != rect.nTop || now.right - now.left != rect.nWidth ||
            now.bottom - now.top != rect.nHeight)
            MoveWindow(windows[i], rect.nLeft, rect.nTop, rect.nWidth, rect.nHeight, FALSE);
    }
}

int LabelHeightNeeded(HWND hLabel)
{
    if (!IsWrappingLabel(hLabel))
        return 0;
    const int nLength = GetWindowTextLengthW(hLabel);
    if (nLength == 0)
        return 0;
    std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
    GetWindowTextW(hLabel, strText.data(), nLength + 1);
    strText.resize(static_cast<size_t>(nLength));
    RECT client{};
    GetClientRect(hLabel, &client);
    HDC hDc = GetDC(hLabel);
    HGDIOBJ hOld =
        SelectObject(hDc, reinterpret_cast<HFONT>(SendMessageW(hLabel, WM_GETFONT, 0, 0)));
    UINT nFormat = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS;
    if ((GetWindowLongW(hLabel, GWL_STYLE) & SS_NOPREFIX) != 0)
        nFormat |= DT_NOPREFIX;
    RECT needed{0, 0, client.right, 0};
    DrawTextW(hDc, strText.c_str(), nLength, &needed, nFormat);
    SelectObject(hDc, hOld);
    ReleaseDC(hLabel, hDc);
    return needed.bottom;
}
