#pragma once

#include <windows.h>

// Whole texts in templates laid out for another font. The templates' sizes
// were chosen for a narrow 8-point face; the face the window system gives
// for it (Wine's, say) may wrap a label onto one line more than its
// rectangle holds, and the last line would be cut off.

// The height a wrapping label needs to show its whole text at its current
// width, in pixels; 0 for any other control.
int LabelHeightNeeded(HWND hLabel);

// Grows each wrapping label of the dialog whose text does not fit: wider
// first, in the direction its text is aligned to (centred texts on both
// sides), then taller (downwards first, then upwards). Growth stops nMargin pixels short of the
// dialog's edges, of any control it did not already overlap and of the
// inside of the group box that holds it. Call after the controls exist and
// have their font (WM_INITDIALOG). User-interface thread only.
void GrowLabelsToFit(HWND hDialog, int nMargin);
