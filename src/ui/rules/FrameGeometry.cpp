#include "ui/rules/FrameGeometry.h"

#include "settings/CSettingsStore.h"

#include <algorithm>

namespace
{
constexpr const char* SCREEN = "Screen";
}

SRect FitFrameToForm(const SRect& frame, const SRect& searchButton, const SRect& list)
{
    SRect fitted;
    fitted.nLeft = frame.nLeft;
    fitted.nTop = frame.nTop;
    const int64_t nWidth = int64_t{list.Width()} + 2 * (int64_t{list.nLeft} - frame.nLeft) + 5;
    const int64_t nHeight =
        (int64_t{list.nBottom} - frame.nTop) + 3 * int64_t{searchButton.Height()} + 5;
    fitted.nRight = static_cast<int32_t>(fitted.nLeft + nWidth);
    fitted.nBottom = static_cast<int32_t>(fitted.nTop + nHeight);
    return fitted;
}

SPlacement ChooseInitialPlacement(const SPlacement& stored, int32_t nWorkWidth, int32_t nWorkHeight,
                                  bool& bReplaced)
{
    const bool bUsable = stored.cx > 0 && stored.cy > 0 && stored.x >= 0 && stored.y >= 0 &&
                         stored.cx <= nWorkWidth && stored.cy <= nWorkHeight &&
                         stored.x <= nWorkWidth && stored.y <= nWorkHeight;
    bReplaced = !bUsable;
    if (bUsable)
        return stored;
    SPlacement centred;
    centred.cx = static_cast<int32_t>(nWorkWidth * 0.5);
    centred.cy = static_cast<int32_t>(nWorkHeight * 0.5);
    centred.x = (nWorkWidth - centred.cx) / 2;
    centred.y = (nWorkHeight - centred.cy) / 2;
    return centred;
}

SPlacement ClampPlacementForSaving(const SPlacement& placement, int32_t nWorkWidth,
                                   int32_t nWorkHeight)
{
    SPlacement clamped = placement;
    clamped.x = std::max(clamped.x, 0);
    clamped.y = std::max(clamped.y, 0);
    clamped.cx = std::min(clamped.cx, nWorkWidth);
    clamped.cy = std::min(clamped.cy, nWorkHeight);
    return clamped;
}

SPlacement ReadPlacement(CSettingsStore& store)
{
    SPlacement placement;
    placement.x = store.GetInt(SCREEN, "x", 0);
    placement.y = store.GetInt(SCREEN, "y", 0);
    placement.cx = store.GetInt(SCREEN, "cx", 0);
    placement.cy = store.GetInt(SCREEN, "cy", 0);
    return placement;
}

void WritePlacement(CSettingsStore& store, const SPlacement& placement)
{
    store.SetInt(SCREEN, "x", placement.x);
    store.SetInt(SCREEN, "y", placement.y);
    store.SetInt(SCREEN, "cx", placement.cx);
    store.SetInt(SCREEN, "cy", placement.cy);
}
