#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Whole texts in templates laid out for another font. The templates' sizes
// were chosen for a narrow 8-point face; the font a window system gives may
// have the same average letter width (the base units come from it) but other
// proportions, so a text may need a few pixels more than its rectangle gives.
// GrowTextsToFit gives such texts the room they need from the free space
// around them, never over another control and never out of their group box or
// the parent. Pure geometry in pixels: each front end measures its texts and
// moves its controls. Any thread.

// A rectangle in pixels, right and bottom exclusive.
struct STextFitRect
{
    int32_t nLeft = 0;
    int32_t nTop = 0;
    int32_t nWidth = 0;
    int32_t nHeight = 0;
};

// Which edge stays where it is first when a text grows sideways.
enum class ETextFitSide : uint8_t
{
    Start, // left-aligned: the right edge moves first
    End,   // right-aligned: the left edge moves first
    Both,  // centred (labels and push buttons): both edges move
};

// One control of a dialog, in template order.
struct STextFitControl
{
    STextFitRect rect;
    // A group box limits the controls inside it (inside its frame and below
    // its title, nTitleHeight high) and is never resized itself.
    bool bGroupBox = false;
    int32_t nTitleHeight = 0;
    // False for controls without a text (pictures, edits, lists, empty labels):
    // they only take up room.
    bool bHasText = false;
    // The size the whole text needs at the control's own width.
    int32_t nNeedWidth = 0;
    int32_t nNeedHeight = 0;
    ETextFitSide eSide = ETextFitSide::Start;
    // A wrapping label: heightAtWidth gives the height its text needs at a
    // width (its chrome included); it grows taller first, then wider nWidenStep
    // pixels at a time.
    bool bWraps = false;
    std::function<int32_t(int32_t nWidth)> heightAtWidth;
    int32_t nWidenStep = 1;
};

// True when the control's text shows whole in its rectangle (always true for
// controls without a text).
bool TextFitsRect(const STextFitControl& control);

// Grows, in order, each control of controls that its text does not fit:
// wider first, in the direction of its eSide, then, for wrapping labels,
// taller (downwards first); other texts grow taller on both sides. Growth stops
// nMargin pixels short of the parent's edges (parent: its client size), of any
// control it did not already overlap and of the inside of the group box that
// holds it. Only the rect of a grown control changes.
void GrowTextsToFit(std::vector<STextFitControl>& controls, int32_t nParentWidth,
                    int32_t nParentHeight, int32_t nMargin);
