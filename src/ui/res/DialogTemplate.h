#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Dialog and form layouts as plain data, in dialog units: a horizontal unit is
// a quarter of the template font's average character width, a vertical unit
// an eighth of its height (DialogUnits.h turns them into pixels). No toolkit
// here: the Qt builder in src/ui/qt/dialogs/ creates widgets from these
// records, and src/ui/win32/dialogs/ turns them into in-memory DLGTEMPLATEs.

// What a control is. The builder maps each kind to one widget class.
enum class EControlKind : uint8_t
{
    PushButton,        // plain push button
    DefPushButton,     // default push button (Enter presses it in a dialog)
    LabelLeft,         // static text, left-aligned
    LabelRight,        // static text, right-aligned
    LabelCentre,       // static text, centred
    CheckBox,          // automatic check box
    RadioButton,       // automatic radio button; STYLE_GROUP starts a new group
    Edit,              // single-line edit field
    ListBox,           // list box
    ComboDropDownList, // drop-down list combo box (no typing); height = dropped list
    ListView,          // report-style list view
    GroupBox,          // frame with a caption drawn around other controls
    ProgressBar,       // progress bar
    Picture,           // icon or picture; text names the image resource
    Custom,            // a widget the caller supplies (the builder asks a factory)
};

// Style bits of a control. Labels wrap only with STYLE_WRAP; a label without it
// stays on one line and is clipped at its right edge.
constexpr uint32_t STYLE_NONE = 0;
constexpr uint32_t STYLE_TABSTOP = 1u << 0;   // reachable with Tab
constexpr uint32_t STYLE_GROUP = 1u << 1;     // starts a group (radio buttons)
constexpr uint32_t STYLE_DISABLED = 1u << 2;  // created disabled
constexpr uint32_t STYLE_HIDDEN = 1u << 3;    // created hidden
constexpr uint32_t STYLE_WRAP = 1u << 4;      // label text wraps at word boundaries
constexpr uint32_t STYLE_SORTED = 1u << 5;    // list box / combo box keeps its items sorted
constexpr uint32_t STYLE_VSCROLL = 1u << 6;   // vertical scroll bar when needed
constexpr uint32_t STYLE_HSCROLL = 1u << 7;   // horizontal scroll bar when needed
constexpr uint32_t STYLE_BORDER = 1u << 8;    // sunken border (list view, progress bar, label)
constexpr uint32_t STYLE_READONLY = 1u << 9;  // edit field that cannot be typed into
constexpr uint32_t STYLE_MULTISEL = 1u << 10; // list box with extended selection

// Template style bits.
constexpr uint32_t DIALOG_CAPTION = 1u << 0;    // has a title bar
constexpr uint32_t DIALOG_SYSMENU = 1u << 1;    // has a system menu, hence a close box
constexpr uint32_t DIALOG_CHILD = 1u << 2;      // a child form (no frame of its own)
constexpr uint32_t DIALOG_VISIBLE = 1u << 3;    // shown as soon as it is created
constexpr uint32_t DIALOG_MODALFRAME = 1u << 4; // fixed dialog frame

// Control id of static controls nobody addresses.
constexpr int32_t ID_STATIC = -1;

// One control. Texts are UTF-8; "&" marks the mnemonic letter ("&&" a literal
// ampersand) and "\n" a line break.
struct SControlTemplate
{
    int32_t nId = ID_STATIC;
    EControlKind eKind = EControlKind::LabelLeft;
    const char* pszText = "";
    int16_t nLeft = 0;
    int16_t nTop = 0;
    int16_t nWidth = 0;
    int16_t nHeight = 0;
    uint32_t nStyle = STYLE_NONE;
    // Name for assistive technology when the control's own text does not give
    // one (edit fields, lists, combo boxes, progress bars); nullptr: the
    // builder takes the nearest label before the control in template order.
    const char* pszAccessibleName = nullptr;
};

// One dialog or form: its size, caption, font and controls in tab order.
struct SDialogTemplate
{
    int32_t nId = 0;
    const char* pszCaption = "";
    int16_t nWidth = 0;
    int16_t nHeight = 0;
    uint32_t nStyle = STYLE_NONE;
    const char* pszFontName = "MS Sans Serif";
    int16_t nFontPoints = 8;
    std::span<const SControlTemplate> controls;

    // The first control with this id, or nullptr (ID_STATIC is never found).
    const SControlTemplate* FindControl(int32_t nControlId) const
    {
        if (nControlId == ID_STATIC)
        {
            return nullptr;
        }
        for (const SControlTemplate& control : controls)
        {
            if (control.nId == nControlId)
            {
                return &control;
            }
        }
        return nullptr;
    }
};
