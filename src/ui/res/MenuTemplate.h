#pragma once

#include <cstdint>
#include <span>

// Menu 128, accelerator table 128 and toolbar 128 of the main frame, as data.

enum class EMenuItemKind : uint8_t
{
    Popup,     // starts a top-level menu; the items that follow belong to it
    Item,      // a command; the text after "\t" names its accelerator
    Separator, // a separator line in the current menu
};

// One row of the flat menu table, in menu order.
struct SMenuItem
{
    EMenuItemKind eKind = EMenuItemKind::Item;
    int32_t nCommandId = 0; // 0 for popups and separators
    const char* pszText = "";
};

// Keys of the accelerator table (virtual keys, named).
enum class EAcceleratorKey : uint8_t
{
    F2,
    F3,
    F6,
    Delete,
    Home,
    Escape,
    Insert,
    Backspace,
    C,
    N,
    O,
    S,
    V,
    X,
    Z,
};

constexpr uint32_t ACCEL_NONE = 0;
constexpr uint32_t ACCEL_CONTROL = 1u << 0;
constexpr uint32_t ACCEL_SHIFT = 1u << 1;
constexpr uint32_t ACCEL_ALT = 1u << 2;

struct SAccelerator
{
    EAcceleratorKey eKey = EAcceleratorKey::F3;
    uint32_t nModifiers = ACCEL_NONE;
    int32_t nCommandId = 0;
    // True for the program's own five keys; false for the framework's standard
    // editing keys, which the table carries but no handler of the program routes.
    bool bProgramCommand = false;
};

// One toolbar button, or a separator (nCommandId 0). Buttons are 16 x 15
// pixels; pszIcon names the image in the icon resources (":/icons/...").
struct SToolbarButton
{
    int32_t nCommandId = 0;
    const char* pszIcon = nullptr;
};

// Menu 128: "&File" with Search, Purge, Move, Cancel, Options, a separator and
// Exit; "&Help" with Help Topics, a separator and About.
std::span<const SMenuItem> GetMainMenu();

// Accelerators 128 in table order.
std::span<const SAccelerator> GetAccelerators();

// Toolbar 128: Search, Purge, Move, Cancel, Options, a separator, About.
std::span<const SToolbarButton> GetToolbarButtons();

// Toolbar button size in pixels at scale 1.
constexpr int32_t TOOLBAR_BUTTON_WIDTH = 16;
constexpr int32_t TOOLBAR_BUTTON_HEIGHT = 15;
