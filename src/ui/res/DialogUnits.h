#pragma once

#include <cstdint>

// Dialog units to pixels, without a toolkit. A template's font gives two base
// units: the average character width and the character height in pixels. One
// horizontal dialog unit is a quarter of the width, one vertical unit an
// eighth of the height; conversions round to the nearest pixel, halves away
// from zero, as the platform's dialog manager does.

struct SDialogBaseUnits
{
    int32_t nCharWidth = 0;  // average character width, pixels
    int32_t nCharHeight = 0; // character height (ascent + descent), pixels
};

// A rectangle: left, top, width, height (in dialog units or pixels).
struct SUnitRect
{
    int32_t nLeft = 0;
    int32_t nTop = 0;
    int32_t nWidth = 0;
    int32_t nHeight = 0;

    bool operator==(const SUnitRect&) const = default;
};

// The text of which the average character width is taken: the 52 letters.
inline constexpr const char* AVERAGE_WIDTH_SAMPLE =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The average character width from the width in pixels of AVERAGE_WIDTH_SAMPLE
// drawn in the font: (width / 26 + 1) / 2 in integer arithmetic, the platform's
// own rounding of width / 52. Never less than 1 for a positive width.
int32_t AverageCharWidth(int32_t nSampleWidth);

// nUnits * nBase / nDivisor rounded to the nearest integer, halves away from
// zero; 0 when nDivisor is 0. Exact for every int32_t input (64-bit product).
int32_t ScaleRounded(int32_t nUnits, int32_t nBase, int32_t nDivisor);

// Horizontal dialog units to pixels: units * char width / 4, rounded.
int32_t DialogUnitsToPixelsX(int32_t nUnits, const SDialogBaseUnits& base);

// Vertical dialog units to pixels: units * char height / 8, rounded.
int32_t DialogUnitsToPixelsY(int32_t nUnits, const SDialogBaseUnits& base);

// A rectangle in dialog units to pixels. Each edge is converted on its own and
// the size taken between the converted edges, so two controls that touch in
// dialog units touch in pixels too.
SUnitRect DialogRectToPixels(const SUnitRect& units, const SDialogBaseUnits& base);
