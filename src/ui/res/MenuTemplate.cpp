#include "MenuTemplate.h"

#include "ResourceIds.h"

namespace
{
using enum EMenuItemKind;

constexpr SMenuItem kMainMenu[] = {
    {Popup, 0, "&File"},
    {Item, ID_SEARCH, "&Search\tF3"},
    {Item, ID_PURGE, "&Purge\tDel"},
    {Item, ID_MOVE, "&Move\tHome"},
    {Item, ID_CANCEL, "&Cancel\tEsc"},
    {Item, ID_OPTIONS, "&Options...\tF2"},
    {Separator, 0, ""},
    {Item, ID_APP_EXIT, "E&xit"},
    {Popup, 0, "&Help"},
    {Item, ID_HELP_FINDER, "&Help Topics"},
    {Separator, 0, ""},
    {Item, ID_APP_ABOUT, "&About Scrubix..."},
};

using enum EAcceleratorKey;

// The program's keys sit among the framework's standard ones.
constexpr SAccelerator kAccelerators[] = {
    {C, ACCEL_CONTROL, ID_EDIT_COPY, false},
    {Delete, ACCEL_NONE, ID_PURGE, true},
    {Escape, ACCEL_NONE, ID_CANCEL, true},
    {F2, ACCEL_NONE, ID_OPTIONS, true},
    {F3, ACCEL_NONE, ID_SEARCH, true},
    {Home, ACCEL_NONE, ID_MOVE, true},
    {N, ACCEL_CONTROL, ID_FILE_NEW, false},
    {O, ACCEL_CONTROL, ID_FILE_OPEN, false},
    {S, ACCEL_CONTROL, ID_FILE_SAVE, false},
    {V, ACCEL_CONTROL, ID_EDIT_PASTE, false},
    {Backspace, ACCEL_ALT, ID_EDIT_UNDO, false},
    {Delete, ACCEL_SHIFT, ID_EDIT_CUT, false},
    {F6, ACCEL_NONE, ID_NEXT_PANE, false},
    {F6, ACCEL_SHIFT, ID_PREV_PANE, false},
    {Insert, ACCEL_CONTROL, ID_EDIT_COPY, false},
    {Insert, ACCEL_SHIFT, ID_EDIT_PASTE, false},
    {X, ACCEL_CONTROL, ID_EDIT_CUT, false},
    {Z, ACCEL_CONTROL, ID_EDIT_UNDO, false},
};

constexpr SToolbarButton kToolbar[] = {
    {ID_SEARCH, ":/icons/search.png"},   {ID_PURGE, ":/icons/purge.png"},
    {ID_MOVE, ":/icons/move.png"},       {ID_CANCEL, ":/icons/cancel.png"},
    {ID_OPTIONS, ":/icons/options.png"}, {0, nullptr},
    {ID_APP_ABOUT, ":/icons/about.png"},
};
} // namespace

std::span<const SMenuItem> GetMainMenu()
{
    return kMainMenu;
}

std::span<const SAccelerator> GetAccelerators()
{
    return kAccelerators;
}

std::span<const SToolbarButton> GetToolbarButtons()
{
    return kToolbar;
}
