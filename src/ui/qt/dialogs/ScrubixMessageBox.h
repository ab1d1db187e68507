#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Makes the box at least as wide as its title needs in the window manager's
// title bar (MessageBoxMinimumWidth: the title in a bold face beside the
// window's icon and buttons), so a short text never cuts the title short.
// Call once, after its icon and texts are set and before it is first shown
// (setting an icon rebuilds the box's layout). User-interface thread only.
void FitMessageBoxToTitle(QMessageBox& box);

// A run with no display (an invisible run on the offscreen platform) has
// nobody to answer a box: each message then goes to standard error as one
// line and returns at once. Set once at start-up, before any window exists.
void SetHeadless(bool bHeadless);
bool IsHeadless();

// The program's OK-only message box: titled "Scrubix", plain text, with the
// icon given, wide enough for its title, modal to pOwner (to the whole
// program when pOwner is nullptr). Returns when the user has closed it.
void ShowScrubixMessage(QWidget* pOwner, const QString& strText,
                        QMessageBox::Icon eIcon = QMessageBox::Information);
