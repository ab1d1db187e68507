#include "DialogTemplateBytes.h"

#include "WideText.h"

#include <commctrl.h>

namespace
{
// The predefined control classes of a dialog template, by atom.
constexpr WORD ATOM_BUTTON = 0x0080;
constexpr WORD ATOM_EDIT = 0x0081;
constexpr WORD ATOM_STATIC = 0x0082;
constexpr WORD ATOM_LISTBOX = 0x0083;
constexpr WORD ATOM_COMBOBOX = 0x0085;

class CTemplateWriter
{
public:
    void Dword(DWORD nValue)
    {
        Word(LOWORD(nValue));
        Word(HIWORD(nValue));
    }
    void Word(WORD nValue) { m_words.push_back(nValue); }
    void Short(int16_t nValue) { Word(static_cast<WORD>(nValue)); }
    void Text(const std::wstring& strText)
    {
        for (wchar_t ch : strText)
        {
            Word(static_cast<WORD>(ch));
        }
        Word(0);
    }
    void Atom(WORD nAtom)
    {
        Word(0xFFFF);
        Word(nAtom);
    }
    // Items start on a DWORD boundary.
    void AlignDword()
    {
        if (m_words.size() % 2 != 0)
        {
            Word(0);
        }
    }
    std::vector<WORD> Take() { return std::move(m_words); }

private:
    std::vector<WORD> m_words;
};

bool IsLabel(EControlKind eKind)
{
    return eKind == EControlKind::LabelLeft || eKind == EControlKind::LabelRight ||
           eKind == EControlKind::LabelCentre;
}

// Controls whose own text does not name them for a screen reader.
bool NeedsNameLabel(const SControlTemplate& control)
{
    switch (control.eKind)
    {
    case EControlKind::Edit:
    case EControlKind::ListBox:
    case EControlKind::ComboDropDownList:
    case EControlKind::ListView:
    case EControlKind::ProgressBar:
    case EControlKind::Custom:
        return control.pszAccessibleName != nullptr;
    default:
        return false;
    }
}

void WriteItem(CTemplateWriter& writer, const SControlTemplate& control, DWORD nStyle,
               const SDialogBuildOptions& options)
{
    writer.AlignDword();
    writer.Dword(nStyle);
    DWORD nExStyle = 0;
    if ((control.nStyle & STYLE_BORDER) != 0 &&
        (control.eKind == EControlKind::ListView || control.eKind == EControlKind::ListBox ||
         control.eKind == EControlKind::Edit))
    {
        nExStyle |= WS_EX_CLIENTEDGE;
    }
    writer.Dword(nExStyle);
    writer.Short(control.nLeft);
    writer.Short(control.nTop);
    writer.Short(control.nWidth);
    writer.Short(control.nHeight);
    writer.Word(static_cast<WORD>(control.nId));
    switch (control.eKind)
    {
    case EControlKind::PushButton:
    case EControlKind::DefPushButton:
    case EControlKind::CheckBox:
    case EControlKind::RadioButton:
    case EControlKind::GroupBox:
        writer.Atom(ATOM_BUTTON);
        break;
    case EControlKind::Edit:
        writer.Atom(ATOM_EDIT);
        break;
    case EControlKind::ListBox:
        writer.Atom(ATOM_LISTBOX);
        break;
    case EControlKind::ComboDropDownList:
        writer.Atom(ATOM_COMBOBOX);
        break;
    case EControlKind::ListView:
        writer.Text(WC_LISTVIEWW);
        break;
    case EControlKind::ProgressBar:
        writer.Text(PROGRESS_CLASSW);
        break;
    case EControlKind::Custom:
    {
        std::wstring strClass = options.customClass ? options.customClass(control) : L"";
        if (strClass.empty())
        {
            writer.Atom(ATOM_STATIC);
        }
        else
        {
            writer.Text(strClass);
        }
        break;
    }
    case EControlKind::LabelLeft:
    case EControlKind::LabelRight:
    case EControlKind::LabelCentre:
    case EControlKind::Picture:
        writer.Atom(ATOM_STATIC);
        break;
    }
    // A picture's text names an image, not a caption; the caller sets it.
    writer.Text(control.eKind == EControlKind::Picture || control.eKind == EControlKind::ListView ||
                        control.eKind == EControlKind::ComboDropDownList ||
                        control.eKind == EControlKind::ListBox
                    ? std::wstring()
                    : ControlText(control.pszText));
    writer.Word(0); // no creation data
}
} // namespace

std::wstring ControlText(const char* pszText)
{
    std::wstring strText = WideFromUtf8(pszText != nullptr ? pszText : "");
    std::wstring strShown;
    strShown.reserve(strText.size());
    for (size_t i = 0; i < strText.size(); ++i)
    {
        if (strText[i] == L'\n' && (i == 0 || strText[i - 1] != L'\r'))
        {
            strShown += L'\r';
        }
        strShown += strText[i];
    }
    return strShown;
}

DWORD ControlStyle(const SControlTemplate& control)
{
    DWORD nStyle = WS_CHILD;
    const uint32_t n = control.nStyle;
    if ((n & STYLE_HIDDEN) == 0)
    {
        nStyle |= WS_VISIBLE;
    }
    if ((n & STYLE_TABSTOP) != 0)
    {
        nStyle |= WS_TABSTOP;
    }
    if ((n & STYLE_GROUP) != 0)
    {
        nStyle |= WS_GROUP;
    }
    if ((n & STYLE_DISABLED) != 0)
    {
        nStyle |= WS_DISABLED;
    }
    if ((n & STYLE_VSCROLL) != 0)
    {
        nStyle |= WS_VSCROLL;
    }
    if ((n & STYLE_HSCROLL) != 0)
    {
        nStyle |= WS_HSCROLL;
    }
    switch (control.eKind)
    {
    case EControlKind::PushButton:
        nStyle |= BS_PUSHBUTTON;
        break;
    case EControlKind::DefPushButton:
        nStyle |= BS_DEFPUSHBUTTON;
        break;
    case EControlKind::CheckBox:
        nStyle |= BS_AUTOCHECKBOX;
        break;
    case EControlKind::RadioButton:
        nStyle |= BS_AUTORADIOBUTTON;
        break;
    case EControlKind::GroupBox:
        nStyle |= BS_GROUPBOX;
        break;
    case EControlKind::LabelLeft:
        nStyle |= (n & STYLE_WRAP) != 0 ? SS_LEFT : SS_LEFTNOWORDWRAP;
        break;
    case EControlKind::LabelRight:
        nStyle |= SS_RIGHT;
        break;
    case EControlKind::LabelCentre:
        nStyle |= SS_CENTER;
        break;
    case EControlKind::Picture:
        nStyle |= SS_ICON;
        break;
    case EControlKind::Edit:
        nStyle |= ES_AUTOHSCROLL;
        if ((n & STYLE_READONLY) != 0)
        {
            nStyle |= ES_READONLY;
        }
        if ((n & STYLE_BORDER) == 0)
        {
            nStyle |= WS_BORDER;
        }
        break;
    case EControlKind::ListBox:
        nStyle |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        if ((n & STYLE_SORTED) != 0)
        {
            nStyle |= LBS_SORT;
        }
        if ((n & STYLE_MULTISEL) != 0)
        {
            nStyle |= LBS_EXTENDEDSEL;
        }
        if ((n & STYLE_BORDER) == 0)
        {
            nStyle |= WS_BORDER;
        }
        break;
    case EControlKind::ComboDropDownList:
        nStyle |= CBS_DROPDOWNLIST;
        if ((n & STYLE_SORTED) != 0)
        {
            nStyle |= CBS_SORT;
        }
        break;
    case EControlKind::ListView:
        nStyle |= LVS_REPORT | LVS_SHOWSELALWAYS;
        break;
    case EControlKind::ProgressBar:
        if ((n & STYLE_BORDER) != 0)
        {
            nStyle |= WS_BORDER;
        }
        break;
    case EControlKind::Custom:
        break;
    }
    if (IsLabel(control.eKind) && (n & STYLE_BORDER) != 0)
    {
        nStyle |= SS_SUNKEN;
    }
    return nStyle;
}

DWORD DialogStyle(const SDialogTemplate& dialog)
{
    DWORD nStyle = DS_SETFONT;
    const uint32_t n = dialog.nStyle;
    nStyle |= (n & DIALOG_CHILD) != 0 ? WS_CHILD : WS_POPUP;
    if ((n & DIALOG_CAPTION) != 0)
    {
        nStyle |= WS_CAPTION;
    }
    if ((n & DIALOG_SYSMENU) != 0)
    {
        nStyle |= WS_SYSMENU;
    }
    if ((n & DIALOG_VISIBLE) != 0)
    {
        nStyle |= WS_VISIBLE;
    }
    if ((n & DIALOG_MODALFRAME) != 0)
    {
        nStyle |= DS_MODALFRAME;
    }
    return nStyle;
}

std::vector<WORD> BuildDialogTemplate(const SDialogTemplate& dialog,
                                      const SDialogBuildOptions& options)
{
    CTemplateWriter writer;
    size_t nItems = 0;
    for (const SControlTemplate& control : dialog.controls)
    {
        nItems += NeedsNameLabel(control) ? 2 : 1;
    }
    writer.Dword(DialogStyle(dialog) | options.nExtraStyle);
    writer.Dword(0);
    writer.Word(static_cast<WORD>(nItems));
    writer.Short(0);
    writer.Short(0);
    writer.Short(dialog.nWidth);
    writer.Short(dialog.nHeight);
    writer.Word(0); // no menu
    writer.Word(0); // the standard dialog class
    writer.Text(WideFromUtf8(dialog.pszCaption != nullptr ? dialog.pszCaption : ""));
    writer.Word(static_cast<WORD>(dialog.nFontPoints));
    writer.Text(WideFromUtf8(dialog.pszFontName != nullptr ? dialog.pszFontName : ""));
    for (const SControlTemplate& control : dialog.controls)
    {
        if (NeedsNameLabel(control))
        {
            SControlTemplate name;
            name.eKind = EControlKind::LabelLeft;
            name.pszText = control.pszAccessibleName;
            name.nLeft = control.nLeft;
            name.nTop = control.nTop;
            name.nStyle = STYLE_HIDDEN;
            WriteItem(writer, name, ControlStyle(name), options);
        }
        WriteItem(writer, control, ControlStyle(control), options);
    }
    return writer.Take();
}
