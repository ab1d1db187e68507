#include "ResourceIds.h"
#include "Templates.h"

namespace
{
using enum EControlKind;

constexpr uint32_t BUTTON = STYLE_TABSTOP;
constexpr uint32_t VALUE = STYLE_NONE; // left-aligned, one line, never wraps

// In tab order. The captions stand before the values they name.
constexpr SControlTemplate kFormControls[] = {
    {IDC_DRIVE_BOX, ComboDropDownList, "", 4, 4, 55, 45,
     STYLE_SORTED | STYLE_VSCROLL | STYLE_TABSTOP | STYLE_GROUP, "Drive"},
    {IDC_SEARCH, DefPushButton, "Search", 69, 3, 50, 15, BUTTON},
    {IDC_ACTION, DefPushButton, "Action", 129, 3, 50, 15, BUTTON},
    {IDC_CANCEL_RESULTS, DefPushButton, "Cancel", 189, 3, 50, 15, BUTTON},
    {ID_STATIC, LabelRight, "Count Due To Extension Match", 4, 23, 101, 8},
    {IDC_EXTEN_COUNT, LabelLeft, "Static", 115, 23, 50, 8, VALUE},
    {ID_STATIC, LabelRight, "Count Due To Zero Length", 9, 33, 95, 8},
    {IDC_ZERO_COUNT, LabelLeft, "Static", 115, 33, 50, 8, VALUE},
    {ID_STATIC, LabelRight, "Count Due To Explicit Direction", 4, 43, 100, 8},
    {IDC_DIRECTED_COUNT, LabelLeft, "Static", 115, 43, 50, 8, VALUE},
    {ID_STATIC, LabelRight, "Total Files Size to Delete", 9, 53, 95, 8},
    {IDC_TOTAL_SIZE, LabelLeft, "Static", 115, 53, 50, 8, VALUE},
    {IDC_SEARCH_PATH_CAPTION, LabelRight, "Searching Path", 9, 63, 95, 8},
    {IDC_SEARCH_PATH, LabelLeft, "Static", 116, 63, 263, 8, VALUE},
    {IDC_CANDIDATE_FILE_CAPTION, LabelRight, "Candidate File", 9, 73, 95, 8},
    {IDC_CANDIDATE_FILE, LabelLeft, "Static", 116, 73, 263, 8, VALUE},
    {IDC_RESULTS_LIST, ListView, "List1", 3, 86, 379, 138, STYLE_BORDER | STYLE_TABSTOP, "Results"},
};

constexpr SDialogTemplate kForm{IDD_SCRUBIX_FORM, "", 386,          226, DIALOG_CHILD,
                                "MS Sans Serif",  8,  kFormControls};
} // namespace

const SDialogTemplate& GetFormTemplate()
{
    return kForm;
}
