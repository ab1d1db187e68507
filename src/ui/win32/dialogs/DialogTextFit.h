#pragma once

#include <windows.h>

// Gives each text control of a dialog built from a template the room its
// whole text needs, as the Qt front end does: the templates were laid out for
// a narrow 8-point face, and the face the system substitutes (Wine without its
// own fonts draws DejaVu Sans) may be wider at the same base units. Measures
// each visible static, push button, check box, radio button and group box
// with the dialog's font and moves those that need it by the shared rule
// (ui/rules/TextFit.h), with a margin of one horizontal dialog unit. Hidden
// controls (the name labels of unlabelled controls) are left alone and take
// no room. Call from WM_INITDIALOG, before the dialog is shown.
// User-interface thread of the dialog.
void FitDialogTexts(HWND hDialog);

// The height a wrapping label needs to show its whole text at its current
// width, in pixels; 0 for any other control (tests check no text is cut).
int LabelHeightNeeded(HWND hLabel);
