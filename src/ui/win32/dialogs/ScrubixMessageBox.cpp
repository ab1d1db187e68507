#include "ScrubixMessageBox.h"

#include "WideText.h"
#include "ui/res/StringTable.h"

void ShowScrubixMessage(HWND hOwner, const std::string& strText, UINT nIcon)
{
    AskScrubix(hOwner, strText, MB_OK | (nIcon & MB_ICONMASK));
}

int AskScrubix(HWND hOwner, const std::string& strText, UINT nType)
{
    if (hOwner == nullptr)
        nType |= MB_TASKMODAL;
    return MessageBoxW(hOwner, WideFromUtf8(strText).c_str(), WideFromUtf8(APP_TITLE).c_str(),
                       nType);
}
