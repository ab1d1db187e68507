#pragma once

#include <cstdint>

class CSettingsStore;

// A rectangle in screen pixels, right and bottom exclusive.
struct SRect
{
    int32_t nLeft = 0;
    int32_t nTop = 0;
    int32_t nRight = 0;
    int32_t nBottom = 0;

    int32_t Width() const { return nRight - nLeft; }
    int32_t Height() const { return nBottom - nTop; }
    bool operator==(const SRect&) const = default;
};

// The main window's placement as the Screen key stores it.
struct SPlacement
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t cx = 0;
    int32_t cy = 0;

    bool operator==(const SPlacement&) const = default;
};

// The window size that fits the form, from screen rectangles of the main
// window's outer frame (F), the Search button (B) and the results list (L):
// the top-left corner stays, width = L.width + 2 × (L.left − F.left) + 5,
// height = (L.bottom − F.top) + 3 × B.height + 5.
SRect FitFrameToForm(const SRect& frame, const SRect& searchButton, const SRect& list);

// The placement to create the window with, given the stored one and the work
// area's size (W × H). The stored placement is used when cx and cy are
// positive, x and y not negative, cx ≤ W, cy ≤ H, x ≤ W and y ≤ H. Otherwise
// the window is centred at half the work area's width and height (truncated;
// x = (W − cx) / 2, y = (H − cy) / 2) and bReplaced tells the caller to store
// the replacement at once.
SPlacement ChooseInitialPlacement(const SPlacement& stored, int32_t nWorkWidth, int32_t nWorkHeight,
                                  bool& bReplaced);

// The placement to store after a move or resize (not a minimisation):
// negative x or y become 0, cx and cy are capped at the work area's size.
SPlacement ClampPlacementForSaving(const SPlacement& placement, int32_t nWorkWidth,
                                   int32_t nWorkHeight);

// Screen\x, y, cx, cy (default 0 each).
SPlacement ReadPlacement(CSettingsStore& store);
void WritePlacement(CSettingsStore& store, const SPlacement& placement);
