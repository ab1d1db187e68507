#pragma once

#include "ui/rules/IMessageBox.h"

#include <windows.h>

// The options sheet's message boxes as MessageBoxW: titled "Scrubix", no
// icon, at least wide enough for its whole title and centred over its owner.
// A Yes/No box has Yes as its default button (also where the text
// recommends No); it has no Cancel, so only Yes or No closes it. The box is
// modal and goes over the window the user is working in (the entry dialog
// over the sheet, say), else over the owner given. The text is the program's
// own UTF-8 (a path inside it is in the ANSI code page, which the program's
// manifest makes UTF-8). User-interface thread only.
class CWin32MessageBox : public IMessageBox
{
public:
    explicit CWin32MessageBox(HWND hOwner = nullptr) : m_hOwner(hOwner) {}
    void SetOwner(HWND hOwner) { m_hOwner = hOwner; }
    bool Show(const SPrompt& prompt) override;

    static constexpr const wchar_t* TITLE = L"Scrubix";

private:
    HWND m_hOwner = nullptr;
};
